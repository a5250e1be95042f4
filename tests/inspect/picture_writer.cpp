#include "picture_writer.h"

#include <fstream>

#include "images/bitmap.h"
#include "images/jpeg_encode.h"
#include "inspect/sha256.h"
#include "text/encoding.h"

namespace zor::test {

namespace {

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v >> 8));
  b.push_back(static_cast<std::uint8_t>(v));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v >> 16);
  Put16(b, v & 0xFFFF);
}
void Set32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}
void Append(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

struct Entry {
  std::uint16_t tag;
  std::uint16_t type;
  std::string value;  // raw bytes for ASCII; empty for a LONG
  std::uint32_t number = 0;
};

// One directory at offset `at` of the TIFF data; values longer than four
// bytes go to `tail`, which starts at tailOffset. Returns the entry offsets.
std::vector<std::size_t> Directory(Bytes& tiff, const std::vector<Entry>& entries, Bytes& tail,
                                   std::uint32_t tailOffset) {
  std::vector<std::size_t> at;
  Put16(tiff, static_cast<std::uint32_t>(entries.size()));
  for (const Entry& e : entries) {
    at.push_back(tiff.size());
    Put16(tiff, e.tag);
    Put16(tiff, e.type);
    if (e.type == 2 || e.type == 7) {
      Put32(tiff, static_cast<std::uint32_t>(e.value.size()));
      if (e.value.size() <= 4) {
        std::string v = e.value;
        v.resize(4, '\0');
        Append(tiff, v);
      } else {
        Put32(tiff, tailOffset + static_cast<std::uint32_t>(tail.size()));
        Append(tail, e.value);
      }
    } else {
      Put32(tiff, 1);
      Put32(tiff, e.number);
    }
  }
  Put32(tiff, 0);
  return at;
}

}  // namespace

Bytes EncodedJpeg(int width, int height, int shade) {
  Bitmap bitmap;
  bitmap.Reset(width, height, Bgr{static_cast<std::uint8_t>(40 + shade), 120, static_cast<std::uint8_t>(200 - shade)});
  // A gradient row, so that the image data is more than one repeated block.
  for (int x = 0; x < width && height > 0; ++x)
    bitmap.SetPixel(x, 0, Bgr{static_cast<std::uint8_t>(x * 7 + shade), static_cast<std::uint8_t>(x), 9});
  return EncodeJpegBytes(bitmap, 90);
}

Bytes ExifSegment(const ExifSpec& s) {
  // IFD0 at 8: Make, Model, ExifIFD pointer; the EXIF directory right after.
  std::vector<Entry> ifd0 = {{0x010F, 2, s.make + '\0'}, {0x0110, 2, s.model + '\0'}, {0x8769, 4, "", 0}};
  std::vector<Entry> exif;
  if (s.dateTimeOriginal) exif.push_back({0x9003, 2, *s.dateTimeOriginal});
  if (s.subSecTimeOriginal) exif.push_back({0x9291, 2, *s.subSecTimeOriginal});
  if (s.pixelX) exif.push_back({0xA002, 4, "", s.pixelX});
  if (s.pixelY) exif.push_back({0xA003, 4, "", s.pixelY});
  const std::uint32_t ifd0Size = 2 + 12 * static_cast<std::uint32_t>(ifd0.size()) + 4;
  const std::uint32_t exifOffset = 8 + ifd0Size;
  const std::uint32_t exifSize = 2 + 12 * static_cast<std::uint32_t>(exif.size()) + 4;
  const std::uint32_t tailOffset = exifOffset + exifSize;

  Bytes tiff = {'M', 'M', 0, 42};
  Put32(tiff, 8);
  Bytes tail;
  const std::vector<std::size_t> at0 = Directory(tiff, ifd0, tail, tailOffset);
  Set32(tiff, at0[2] + 8, s.exifIfdPointsToIfd0 ? 8 : exifOffset);
  const std::vector<std::size_t> at1 = Directory(tiff, exif, tail, tailOffset);
  if (s.dateOffsetOutOfRange && s.dateTimeOriginal) Set32(tiff, at1[0] + 8, 0x7FFFFFF0);
  tiff.insert(tiff.end(), tail.begin(), tail.end());

  Bytes segment = {'E', 'x', 'i', 'f', 0, 0};
  segment.insert(segment.end(), tiff.begin(), tiff.end());
  return segment;
}

Bytes TamperSegment(const TamperSpec& s) {
  Bytes b;
  Append(b, s.identifier);
  Append(b, s.byteOrder);
  b.push_back(s.version[0]);
  b.push_back(s.version[1]);
  for (std::uint8_t v : {0, 0, 0, 0, 0, 0x0A, 0, 0x14}) b.push_back(v);
  Append(b, s.charset);
  auto section = [&b](std::uint16_t type, const std::string& data, std::uint32_t extra) {
    Put16(b, type);
    Put16(b, static_cast<std::uint32_t>(data.size()) + 2 + extra);
    Append(b, data);
  };
  std::string names = Sj("改ざんチェック値（画像）") + '\0' + Sj("改ざんチェック値（撮影日時）") + '\0';
  if (s.namesWithoutNul) names = Sj("改ざんチェック値（画像）") + Sj("改ざんチェック値（撮影日時）");
  section(0x0001, names, 0);
  if (!s.omitValues) section(0x0012, s.imageValue + '\0' + s.dateValue + '\0', s.valuesSizePastSegment ? 400 : 0);
  Put16(b, 0);
  Put16(b, 0);
  return b;
}

Bytes WithSegments(const Bytes& jpeg, const std::vector<std::pair<std::uint8_t, Bytes>>& segments) {
  Bytes out(jpeg.begin(), jpeg.begin() + 2);
  for (const auto& [marker, data] : segments) {
    out.push_back(0xFF);
    out.push_back(marker);
    Put16(out, static_cast<std::uint32_t>(data.size()) + 2);
    out.insert(out.end(), data.begin(), data.end());
  }
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

std::size_t ImageDataOffset(const Bytes& jpeg) {
  // Past the header segments, walked by their lengths.
  std::size_t p = 2;
  while (p + 4 <= jpeg.size() && jpeg[p + 1] != 0xDA) p += 2 + (jpeg[p + 2] << 8 | jpeg[p + 3]);
  return p;
}

std::string ImageDigest(const Bytes& jpeg) {
  const std::size_t start = ImageDataOffset(jpeg);
  std::size_t end = start + 2;
  while (end + 1 < jpeg.size() && !(jpeg[end] == 0xFF && jpeg[end + 1] == 0xD9)) ++end;
  return Sha256Hex(jpeg.data() + start, end + 2 - start);
}

std::string DateDigest(const ExifSpec& spec) {
  const std::string bytes = spec.dateTimeOriginal.value_or("") + spec.subSecTimeOriginal.value_or("");
  return Sha256Hex(bytes.data(), bytes.size());
}

Bytes BlackboardPhoto(const Bytes& jpeg, const ExifSpec& exif) {
  TamperSpec tamper;
  tamper.imageValue = ImageDigest(jpeg);
  tamper.dateValue = DateDigest(exif);
  return WithSegments(jpeg, {{0xE1, ExifSegment(exif)}, {0xE5, TamperSegment(tamper)}});
}

Bytes CameraPhoto(const Bytes& jpeg, const ExifSpec& exif) { return WithSegments(jpeg, {{0xE1, ExifSegment(exif)}}); }

namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Element(const std::string& name, const std::string& value) {
  return "<" + name + ">" + Escaped(value) + "</" + name + ">";
}

// A structure: a nested rdf:Description, or the property element itself.
std::string Structure(const std::string& name, const std::string& fields, bool resource) {
  if (resource) return "<" + name + " rdf:parseType=\"Resource\">" + fields + "</" + name + ">";
  return "<" + name + "><rdf:Description>" + fields + "</rdf:Description></" + name + ">";
}

std::string Seq(const std::vector<std::string>& items) {
  std::string out = "<rdf:Seq>";
  for (const std::string& item : items) out += item;
  return out + "</rdf:Seq>";
}

}  // namespace

std::string BoardPacket(const BoardSpec& b) {
  const std::pair<const char*, const std::string*> simple[] = {
      {"photo:ConstructionName", &b.constructionName},
      {"photo:Contructor", &b.contractor},
      {"photo:LargeClassification", &b.largeClassification},
      {"photo:PhotoClassification", &b.photoClassification},
      {"photo:ConstructionType", &b.constructionType},
      {"photo:MiddleClassification", &b.middleClassification},
      {"photo:SmallClassification", &b.smallClassification},
      {"photo:Title", &b.title},
      {"photo:ShootingSpot", &b.shootingSpot},
      {b.misspeltRepresentative ? "photo:sRepresentative" : "photo:IsRepresentative", &b.isRepresentative},
      {"photo:IsFrequencyOfSubmission", &b.isFrequencyOfSubmission},
      {"photo:ContractorRemarks", &b.contractorRemarks},
  };
  std::string attributes, elements;
  for (const auto& [name, value] : simple) {
    if (b.attributes)
      attributes += std::string(" ") + name + "=\"" + Escaped(*value) + "\"";
    else
      elements += Element(name, *value);
  }
  std::vector<std::string> remarks;
  for (const std::string& r : b.classificationRemarks) remarks.push_back(Element("rdf:li", r));
  elements += "<photo:ClassificationRemarks>" + Seq(remarks) + "</photo:ClassificationRemarks>";
  std::vector<std::string> items;
  for (const BoardSpec::Item& i : b.items) {
    const std::string fields = Element("item:Name", i.name) + Element("item:Mark", i.mark) +
                               Element("item:DesignedValue", i.designedValue) +
                               Element("item:MeasuredValue", i.measuredValue) + Element("item:UnitName", i.unitName) +
                               "<item:Remarks><rdf:Seq><rdf:li/></rdf:Seq></item:Remarks>";
    items.push_back(b.parseTypeResource ? "<rdf:li rdf:parseType=\"Resource\">" + fields + "</rdf:li>"
                                        : "<rdf:li><rdf:Description>" + fields + "</rdf:Description></rdf:li>");
  }
  const std::string measurement = Element("measurement:Classification", b.measurementClassification) +
                                  "<measurement:MeasurementItems>" + Seq(items) + "</measurement:MeasurementItems>";
  if (b.measurementsSeq) {
    const std::string li = b.parseTypeResource
                               ? "<rdf:li rdf:parseType=\"Resource\">" + measurement + "</rdf:li>"
                               : "<rdf:li><rdf:Description>" + measurement + "</rdf:Description></rdf:li>";
    elements += "<photo:Measurements>" + Seq({li}) + "</photo:Measurements>";
  } else {
    elements += Structure("photo:Measurements", measurement, b.parseTypeResource);
  }
  if (b.dcDescription)
    elements += "<dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">DCP PHOTO</rdf:li></rdf:Alt></dc:description>";
  elements += b.extra;
  return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
         "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
         "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
         "<rdf:Description rdf:about=\"\" xmlns:photo=\"http://dcpadv.org/schema/3.0/photoinfo\" "
         "xmlns:measurement=\"http://dcpadv.org/schema/3.0/measurement\" "
         "xmlns:item=\"http://dcpadv.org/schema/3.0/measurementitem\" "
         "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"" +
         attributes + ">\n" + elements + "\n</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>";
}

Bytes XmpSegment(const std::string& packet) {
  Bytes b;
  Append(b, std::string("http://ns.adobe.com/xap/1.0/\0", 29));
  Append(b, packet);
  return b;
}

Bytes ExtendedXmpSegment(const std::string& guid, const std::string& part) {
  Bytes b;
  Append(b, std::string("http://ns.adobe.com/xmp/extension/\0", 35));
  Append(b, guid);
  Put32(b, static_cast<std::uint32_t>(part.size()));
  Put32(b, 0);
  Append(b, part);
  return b;
}

Bytes BoardPhoto(const Bytes& jpeg, const ExifSpec& exif, const std::string& packet) {
  TamperSpec tamper;
  tamper.imageValue = ImageDigest(jpeg);
  tamper.dateValue = DateDigest(exif);
  return WithSegments(jpeg, {{0xE1, ExifSegment(exif)}, {0xE1, XmpSegment(packet)}, {0xE5, TamperSegment(tamper)}});
}

std::string LayeredSvg(const std::string& packet, const Bytes& original, const Bytes& board) {
  auto base64 = [](const Bytes& b) {
    static const char* kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < b.size(); i += 3) {
      const std::uint32_t v = std::uint32_t{b[i]} << 16 | (i + 1 < b.size() ? std::uint32_t{b[i + 1]} << 8 : 0) |
                              (i + 2 < b.size() ? b[i + 2] : 0);
      out += kDigits[v >> 18 & 63];
      out += kDigits[v >> 12 & 63];
      out += i + 1 < b.size() ? kDigits[v >> 6 & 63] : '=';
      out += i + 2 < b.size() ? kDigits[v & 63] : '=';
      // Line breaks inside the value, as some writers wrap it.
      if (i % 228 == 225) out += "\n";
    }
    return out;
  };
  // The packet without its xpacket wrapper, inside the metadata element.
  const std::size_t start = packet.find("<x:xmpmeta");
  const std::size_t end = packet.find("</x:xmpmeta>");
  const std::string meta = packet.substr(start, end + 12 - start);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
         "width=\"1280\" height=\"960\" viewBox=\"0 0 1280 960\">\n<metadata>\n" +
         meta +
         "\n</metadata>\n<g id=\"dcp_org_img\"><image width=\"1280\" height=\"960\" "
         "xlink:href=\"data:image/jpeg;base64," +
         base64(original) +
         "\"/></g>\n<g id=\"dcp_chalkboard_img\"><image x=\"20\" y=\"700\" width=\"320\" height=\"240\" "
         "xlink:href=\"data:image/jpeg;base64," +
         base64(board) + "\"/></g>\n</svg>\n";
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zor::test
