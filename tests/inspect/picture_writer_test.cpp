// The tamper values the test photos carry, against digests sha256sum gave
// for the same bytes: what the inspection's tests take as intact is intact.
#include "picture_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace zor {
namespace {

using test::Bytes;
using test::ExifSpec;

// SOI, an APP0, a scan header, scan data with a stuffed FF 00, EOI, then
// bytes after the picture's end with a second FF D9.
const Bytes kSmallJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x07, 'J',  'F', 'I',  'F',  0x00, 0xFF, 0xDA, 0x00,
                          0x04, 0x01, 0x02, 'a',  'b',  0xFF, 0x00, 'c', 0xFF, 0xD9, 'x',  'y',  0xFF, 0xD9};

TEST(PictureWriter, ImageDigestCoversTheScanThroughTheFirstEnd) {
  EXPECT_EQ(test::ImageDataOffset(kSmallJpeg), 11u);
  // printf '\xff\xda\x00\x04\x01\x02ab\xff\x00c\xff\xd9' | sha256sum
  EXPECT_EQ(test::ImageDigest(kSmallJpeg), "74b04011dab414fabbaf7489de17f62856efd06d54d53f979de820ff7e222750");
}

TEST(PictureWriter, DateDigestCoversTheRawDateAndSubSeconds) {
  // printf '2010:10:05 09:30:00\0' | sha256sum
  EXPECT_EQ(test::DateDigest(ExifSpec{}), "1975d0b5ca595a4529dc9edd7e84b0df401d1dec2594332b1b533658c82222f9");
  ExifSpec withSubSeconds;
  withSubSeconds.subSecTimeOriginal = std::string("50\0", 3);
  // printf '2010:10:05 09:30:00\00050\0' | sha256sum
  EXPECT_EQ(test::DateDigest(withSubSeconds), "5c009ec1837fb4caa5eb3a7f5e936d22478f572f14856cba93f5d8d807ef6165");
}

TEST(PictureWriter, BlackboardPhotoCarriesBothValues) {
  const Bytes photo = test::BlackboardPhoto(kSmallJpeg, ExifSpec{});
  auto holds = [&photo](const std::string& text) {
    return std::search(photo.begin(), photo.end(), text.begin(), text.end()) != photo.end();
  };
  EXPECT_TRUE(holds(std::string("74b04011dab414fabbaf7489de17f62856efd06d54d53f979de820ff7e222750\0", 65)));
  EXPECT_TRUE(holds(std::string("1975d0b5ca595a4529dc9edd7e84b0df401d1dec2594332b1b533658c82222f9\0", 65)));
  // The segments go in front: the picture's own bytes are unchanged at its end.
  EXPECT_TRUE(std::equal(kSmallJpeg.begin() + 2, kSmallJpeg.end(), photo.end() - (kSmallJpeg.size() - 2)));
}

}  // namespace
}  // namespace zor
