// SHA-256 over data fed in pieces, on OpenSSL's libcrypto.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct evp_md_ctx_st;

namespace zor {

class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void Update(const void* data, std::size_t size);
  // The digest as 64 lower-case hex digits; the object is then spent.
  std::string HexDigest();

 private:
  evp_md_ctx_st* ctx_;
};

// The digest of one piece of data, 64 lower-case hex digits.
std::string Sha256Hex(const void* data, std::size_t size);

}  // namespace zor
