// The blackboard's XMP packet: every writer's variant reads alike, hostile
// and broken packets give a fault or nothing (never a hang or a crash), and
// the packet is found wherever the picture keeps it.
#include "inspect/blackboard_packet.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "inspect/picture_facts.h"
#include "inspect/xmp_packets.h"
#include "picture_writer.h"

namespace zor {
namespace {

namespace fs = std::filesystem;
using Status = BlackboardPacket::Status;

BlackboardPacket Read(const std::string& packet) {
  return ReadBlackboardPacket(
      std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(packet.data()), packet.size()));
}

bool ValidUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

void ExpectBoardOf(const test::BoardSpec& spec, const Blackboard& b, const std::string& variant) {
  EXPECT_EQ(b.constructionName, spec.constructionName) << variant;
  EXPECT_EQ(b.contractor, spec.contractor) << variant;
  EXPECT_EQ(b.largeClassification, spec.largeClassification) << variant;
  EXPECT_EQ(b.photoClassification, spec.photoClassification) << variant;
  EXPECT_EQ(b.constructionType, spec.constructionType) << variant;
  EXPECT_EQ(b.middleClassification, spec.middleClassification) << variant;
  EXPECT_EQ(b.smallClassification, spec.smallClassification) << variant;
  EXPECT_EQ(b.title, spec.title) << variant;
  EXPECT_EQ(b.classificationRemarks, spec.classificationRemarks) << variant;
  EXPECT_EQ(b.shootingSpot, spec.shootingSpot) << variant;
  EXPECT_EQ(b.isRepresentative, spec.isRepresentative) << variant;
  EXPECT_EQ(b.isFrequencyOfSubmission, spec.isFrequencyOfSubmission) << variant;
  EXPECT_EQ(b.contractorRemarks, spec.contractorRemarks) << variant;
  ASSERT_EQ(b.measurements.size(), 1u) << variant;
  EXPECT_EQ(b.measurements[0].classification, spec.measurementClassification) << variant;
  ASSERT_EQ(b.measurements[0].items.size(), spec.items.size()) << variant;
  for (std::size_t i = 0; i < spec.items.size(); ++i) {
    const BlackboardMeasurementItem& got = b.measurements[0].items[i];
    EXPECT_EQ(got.name, spec.items[i].name) << variant;
    EXPECT_EQ(got.mark, spec.items[i].mark) << variant;
    EXPECT_EQ(got.designedValue, spec.items[i].designedValue) << variant;
    EXPECT_EQ(got.measuredValue, spec.items[i].measuredValue) << variant;
    EXPECT_EQ(got.unitName, spec.items[i].unitName) << variant;
  }
}

TEST(BlackboardPacketTest, EveryWritersVariantReadsAlike) {
  const struct {
    const char* name;
    void (*set)(test::BoardSpec&);
  } kVariants[] = {
      {"elements", [](test::BoardSpec&) {}},
      {"attributes", [](test::BoardSpec& s) { s.attributes = true; }},
      {"parseType Resource", [](test::BoardSpec& s) { s.parseTypeResource = true; }},
      {"Measurements as a Seq", [](test::BoardSpec& s) { s.measurementsSeq = true; }},
      {"a Seq of Resources", [](test::BoardSpec& s) { s.measurementsSeq = s.parseTypeResource = true; }},
      {"sRepresentative", [](test::BoardSpec& s) { s.misspeltRepresentative = true; }},
      {"dc:description", [](test::BoardSpec& s) { s.dcDescription = true; }},
      {"two items",
       [](test::BoardSpec& s) {
         s.items.push_back({"幅", "W", "3.50", "3.48", "m"});
       }},
  };
  for (const auto& v : kVariants) {
    test::BoardSpec spec;
    v.set(spec);
    const BlackboardPacket p = Read(test::BoardPacket(spec));
    ASSERT_EQ(p.status, Status::kRead) << v.name << ": " << p.fault;
    ExpectBoardOf(spec, p.values, v.name);
    EXPECT_TRUE(p.notes.empty()) << v.name << ": " << p.notes[0];
  }
  // A writer that puts the one item's fields in MeasurementItems itself.
  test::BoardSpec spec;
  spec.items.clear();
  spec.extra = "";
  std::string packet = test::BoardPacket(spec);
  const std::string seq = "<measurement:MeasurementItems><rdf:Seq></rdf:Seq></measurement:MeasurementItems>";
  packet.replace(packet.find(seq), seq.size(),
                 "<measurement:MeasurementItems rdf:parseType=\"Resource\"><item:Name>厚さ</item:Name>"
                 "<item:MeasuredValue>105</item:MeasuredValue></measurement:MeasurementItems>");
  // And one that puts the remarks in a Bag inside the Seq.
  const std::string remarks = "<rdf:Seq><rdf:li>a</rdf:li><rdf:li>b</rdf:li></rdf:Seq>";
  packet.replace(packet.find(remarks), remarks.size(),
                 "<rdf:Seq><rdf:li><rdf:Bag><rdf:li>a</rdf:li><rdf:li>b</rdf:li></rdf:Bag></rdf:li></rdf:Seq>");
  const BlackboardPacket p = Read(packet);
  ASSERT_EQ(p.status, Status::kRead);
  EXPECT_EQ(p.values.classificationRemarks, (std::vector<std::string>{"a", "b"}));
  ASSERT_EQ(p.values.measurements.size(), 1u);
  ASSERT_EQ(p.values.measurements[0].items.size(), 1u);
  EXPECT_EQ(p.values.measurements[0].items[0].name, "厚さ");
  EXPECT_EQ(p.values.measurements[0].items[0].measuredValue, "105");
}

// Outside input: each case gives a fault or nothing, bounded, and what is
// read is valid UTF-8 within its bounds.
TEST(BlackboardPacketTest, HostileAndBrokenPacketsAreBounded) {
  test::BoardSpec big;
  big.contractorRemarks = std::string(10u << 20, 'x');
  test::BoardSpec longValue;
  longValue.title = std::string(100 * 1024 - 2, 'x') + "題";
  const std::string whole = test::BoardPacket(test::BoardSpec());
  test::BoardSpec manyRemarks;
  manyRemarks.classificationRemarks.clear();
  for (int i = 0; i < 10000; ++i) manyRemarks.classificationRemarks.push_back(std::to_string(i));
  test::BoardSpec noItems;
  noItems.items.clear();
  std::string manyItems = test::BoardPacket(noItems);
  std::string items;
  for (int i = 0; i < 10000; ++i)
    items += "<rdf:li rdf:parseType=\"Resource\"><item:MeasuredValue>1</item:MeasuredValue></rdf:li>";
  manyItems.insert(manyItems.find("</rdf:Seq></measurement:MeasurementItems>"), items);
  test::BoardSpec sjis;
  sjis.title = "\x8C\x9F\x8D\xB8\xFF";  // 検査 in Shift_JIS and a stray byte
  std::string utf16;
  for (char c : whole) {
    utf16 += c;
    utf16 += '\0';
  }

  const struct {
    const char* name;
    std::string packet;
    Status status;
    const char* fault;  // part of the fault, or of a note when read
  } kCases[] = {
      {"a packet of 10 MB", test::BoardPacket(big), Status::kFault, "大きすぎます"},
      {"cut off", whole.substr(0, whole.size() / 2), Status::kFault, "XML として読めません"},
      {"a DOCTYPE with an external entity", "<!DOCTYPE x:xmpmeta [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>" + whole,
       Status::kFault, "DTD"},
      {"an entity declared further in", whole.substr(0, 60) + "<!ENTITY a \"aaaa\">" + whole.substr(60), Status::kFault,
       "DTD"},
      {"a value of 100 KB", test::BoardPacket(longValue), Status::kRead, "バイトで切りました"},
      {"a Seq of 10,000 remarks", test::BoardPacket(manyRemarks), Status::kRead, "工種区分予備が 5 件を超えて"},
      {"a Seq of 10,000 measurement items", manyItems, Status::kRead, "100 を超えて"},
      {"UTF-16", utf16, Status::kFault, "UTF-8"},
      {"not XML", "dcpadv.org/schema/ <<<>>>", Status::kFault, "XML として読めません"},
      {"another schema's packet",
       "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
       "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\" dc:format=\"image/jpeg\"/>"
       "</rdf:RDF></x:xmpmeta>",
       Status::kNone, ""},
      {"another schema's broken packet", "<x:xmpmeta><rdf:RDF", Status::kNone, ""},
      {"empty", "", Status::kNone, ""},
  };
  for (const auto& c : kCases) {
    const BlackboardPacket p = Read(c.packet);
    EXPECT_EQ(p.status, c.status) << c.name << ": " << p.fault;
    if (c.status == Status::kFault) {
      EXPECT_NE(p.fault.find(c.fault), std::string::npos) << c.name << ": " << p.fault;
    }
    if (c.status == Status::kRead) {
      std::string notes;
      for (const std::string& n : p.notes) notes += n + "\n";
      EXPECT_NE(notes.find(c.fault), std::string::npos) << c.name << ": " << notes;
    }
    EXPECT_LE(p.values.title.size(), kMaxBlackboardValue) << c.name;
    EXPECT_TRUE(ValidUtf8(p.values.title)) << c.name;
    EXPECT_LE(p.values.classificationRemarks.size(), kMaxClassificationRemarks) << c.name;
    for (const BlackboardMeasurements& m : p.values.measurements)
      EXPECT_LE(m.items.size(), kMaxMeasurementItems) << c.name;
  }
  // The long value is cut at a character, the Seqs at their bounds.
  EXPECT_EQ(Read(test::BoardPacket(longValue)).values.title, std::string(kMaxBlackboardValue, 'x'));
  EXPECT_EQ(Read(test::BoardPacket(manyRemarks)).values.classificationRemarks,
            (std::vector<std::string>{"0", "1", "2", "3", "4"}));
  // Bytes that are not UTF-8 never come out as such.
  const BlackboardPacket s = Read(test::BoardPacket(sjis));
  EXPECT_NE(s.status, Status::kNone);
  EXPECT_TRUE(ValidUtf8(s.values.title)) << s.values.title;
}

class PacketPlacesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zor_board_places_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  PictureFacts Facts(const char* name, const test::Bytes& bytes) {
    test::WriteFile(dir_ / name, bytes);
    return ReadPictureFacts(dir_ / name);
  }
  static test::Bytes Text(const std::string& s) { return test::Bytes(s.begin(), s.end()); }
  fs::path dir_;
};

TEST_F(PacketPlacesTest, JpegSegmentsTiffTagPngChunkAndSvgMetadata) {
  test::BoardSpec first, second;
  second.title = "二つ目";
  const test::Bytes jpeg = test::EncodedJpeg(64, 48);
  test::ExifSpec exif;

  // Two main segments: the first is read; extended parts are named and skipped.
  const PictureFacts two =
      Facts("two.jpg",
            test::WithSegments(
                jpeg, {{0xE1, test::XmpSegment(test::BoardPacket(first))},
                       {0xE1, test::XmpSegment(test::BoardPacket(second))},
                       {0xE1, test::ExtendedXmpSegment("0123456789ABCDEF0123456789ABCDEF", "<rdf:Description/>")}}));
  ASSERT_EQ(two.blackboard.status, Status::kRead);
  EXPECT_EQ(two.blackboard.values.title, first.title);
  ASSERT_EQ(two.blackboard.notes.size(), 2u);
  EXPECT_NE(two.blackboard.notes[0].find("2 つあります"), std::string::npos) << two.blackboard.notes[0];
  EXPECT_NE(two.blackboard.notes[1].find("0123456789ABCDEF0123456789ABCDEF"), std::string::npos);

  // After EXIF and beside the tamper values, as the blackboards write it.
  const PictureFacts photo = Facts("photo.jpg", test::BoardPhoto(jpeg, exif, test::BoardPacket(first)));
  EXPECT_EQ(photo.blackboard.status, Status::kRead);
  EXPECT_EQ(photo.tamper, TamperOutcome::kIntact);
  EXPECT_EQ(Facts("plain.jpg", test::CameraPhoto(jpeg, exif)).blackboard.status, Status::kNone);

  // A TIFF's tag 700 (XMLPacket, UNDEFINED), read where it lies.
  const std::string packet = test::BoardPacket(first);
  test::Bytes tiff = {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 0x02, 0xBC, 0, 7};
  const std::uint32_t offset = 8 + 2 + 12 + 4;
  for (std::uint32_t v : {static_cast<std::uint32_t>(packet.size()), offset})
    for (int k = 3; k >= 0; --k) tiff.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
  tiff.insert(tiff.end(), 4, 0);
  tiff.insert(tiff.end(), packet.begin(), packet.end());
  const PictureFacts t = Facts("photo.tif", tiff);
  EXPECT_EQ(t.format, PictureFormat::kTiff);
  EXPECT_EQ(t.blackboard.status, Status::kRead);
  EXPECT_EQ(t.blackboard.values.title, first.title);

  // A PNG's iTXt chunk before its image data.
  const std::string chunk = std::string("XML:com.adobe.xmp\0\0\0\0\0", 22) + packet;
  test::Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (int k = 3; k >= 0; --k) png.push_back(static_cast<std::uint8_t>(chunk.size() >> (8 * k)));
  for (char c : std::string("iTXt") + chunk + std::string(4, '\0')) png.push_back(static_cast<std::uint8_t>(c));
  const PictureFacts p = Facts("photo.png", png);
  EXPECT_EQ(p.blackboard.status, Status::kRead);
  EXPECT_EQ(p.blackboard.values.title, first.title);
  png[png.size() - 4 - packet.size() - 4] = 1;  // the compression flag: not inflated, so none
  EXPECT_EQ(Facts("packed.png", png).blackboard.status, Status::kNone);

  // An SVG's metadata, with the layered SVG's own metadata namespace.
  test::BoardSpec layered;
  layered.extra =
      "<dcpmeta:vender xmlns:dcpmeta=\"http://dcpadv.org/schema/3.1/metadata\">Vendor</dcpmeta:vender>"
      "<dcpmeta:hashCode xmlns:dcpmeta=\"http://dcpadv.org/schema/3.1/metadata\">abc</dcpmeta:hashCode>";
  const PictureFacts svg = Facts("photo.svg", Text(test::LayeredSvg(test::BoardPacket(layered), jpeg, jpeg)));
  ASSERT_EQ(svg.blackboard.status, Status::kRead) << svg.blackboard.fault;
  EXPECT_EQ(svg.blackboard.values.title, layered.title);
  EXPECT_EQ(svg.blackboard.values.metadata,
            (std::vector<std::pair<std::string, std::string>>{{"vender", "Vendor"}, {"hashCode", "abc"}}));
}

// The embedded pictures of a layered SVG: each its own tamper outcome.
TEST_F(PacketPlacesTest, LayeredSvgPicturesAreTamperCheckedEachOnItsOwn) {
  test::ExifSpec exif;
  const test::Bytes original = test::BlackboardPhoto(test::EncodedJpeg(64, 48), exif);
  const test::Bytes board = test::BlackboardPhoto(test::EncodedJpeg(32, 24, 30), exif);
  test::Bytes changed = board;
  changed[test::ImageDataOffset(changed) + 40] ^= 0x08;
  const std::string packet = test::BoardPacket(test::BoardSpec());

  const PictureFacts intact = Facts("intact.svg", Text(test::LayeredSvg(packet, original, board)));
  ASSERT_EQ(intact.layers.size(), 2u);
  EXPECT_EQ(intact.layers[0].group, "dcp_org_img");
  EXPECT_EQ(intact.layers[0].tamper, TamperOutcome::kIntact) << intact.layers[0].fault;
  EXPECT_EQ(intact.layers[1].group, "dcp_chalkboard_img");
  EXPECT_EQ(intact.layers[1].tamper, TamperOutcome::kIntact) << intact.layers[1].fault;
  EXPECT_EQ(intact.tamper, TamperOutcome::kIntact);

  const PictureFacts altered = Facts("altered.svg", Text(test::LayeredSvg(packet, original, changed)));
  ASSERT_EQ(altered.layers.size(), 2u);
  EXPECT_EQ(altered.layers[0].tamper, TamperOutcome::kIntact);
  EXPECT_EQ(altered.layers[1].tamper, TamperOutcome::kImage);
  EXPECT_EQ(altered.tamper, TamperOutcome::kImage);

  // Broken base64 or a document cut inside it: the layer's fault, no outcome.
  std::string svg = test::LayeredSvg(packet, original, board);
  svg[svg.find(";base64,") + 20] = '*';
  const PictureFacts broken = Facts("broken.svg", Text(svg));
  ASSERT_EQ(broken.layers.size(), 2u);
  EXPECT_FALSE(broken.layers[0].fault.empty());
  EXPECT_EQ(broken.layers[0].tamper, TamperOutcome::kNoData);
  const std::string whole = test::LayeredSvg(packet, original, board);
  const PictureFacts cut = Facts("cut.svg", Text(whole.substr(0, whole.rfind(";base64,") + 100)));
  ASSERT_EQ(cut.layers.size(), 2u);
  EXPECT_FALSE(cut.layers[1].fault.empty());
}

}  // namespace
}  // namespace zor
