// SHA-256 against the known answers of FIPS 180-2 (appendix B) and of
// coreutils' sha256sum, in one piece and fed in pieces.
#include "inspect/sha256.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zor {
namespace {

struct KnownAnswer {
  const char* name;
  std::string message;
  const char* digest;
};

std::vector<KnownAnswer> KnownAnswers() {
  return {
      {"one block, \"abc\"", "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"two blocks, the 448-bit message", "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"a million \"a\"", std::string(1000000, 'a'),
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
      {"empty (sha256sum)", "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"a NUL inside (sha256sum)", std::string("2010:10:05 09:30:00\0", 20),
       "1975d0b5ca595a4529dc9edd7e84b0df401d1dec2594332b1b533658c82222f9"},
  };
}

TEST(Sha256, KnownAnswersInOnePiece) {
  for (const KnownAnswer& k : KnownAnswers())
    EXPECT_EQ(Sha256Hex(k.message.data(), k.message.size()), k.digest) << k.name;
}

TEST(Sha256, KnownAnswersFedInPieces) {
  for (const KnownAnswer& k : KnownAnswers()) {
    for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{64}, std::size_t{1000}}) {
      Sha256 sha;
      for (std::size_t at = 0; at < k.message.size(); at += piece)
        sha.Update(k.message.data() + at, std::min(piece, k.message.size() - at));
      EXPECT_EQ(sha.HexDigest(), k.digest) << k.name << " in pieces of " << piece;
    }
  }
}

}  // namespace
}  // namespace zor
