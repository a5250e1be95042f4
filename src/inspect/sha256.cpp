#include "inspect/sha256.h"

#include <openssl/evp.h>

namespace zor {

Sha256::Sha256() : ctx_(EVP_MD_CTX_new()) {
  if (ctx_) EVP_DigestInit_ex(ctx_, EVP_sha256(), nullptr);
}

Sha256::~Sha256() { EVP_MD_CTX_free(ctx_); }

void Sha256::Update(const void* data, std::size_t size) {
  if (ctx_ && size) EVP_DigestUpdate(ctx_, data, size);
}

std::string Sha256::HexDigest() {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (!ctx_ || EVP_DigestFinal_ex(ctx_, digest, &length) != 1) return {};
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  text.reserve(length * 2);
  for (unsigned int i = 0; i < length; ++i) {
    text += kHex[digest[i] >> 4];
    text += kHex[digest[i] & 15];
  }
  return text;
}

std::string Sha256Hex(const void* data, std::size_t size) {
  Sha256 hash;
  hash.Update(data, size);
  return hash.HexDigest();
}

}  // namespace zor
