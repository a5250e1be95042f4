// Where a picture keeps its XMP packet, and the blackboard's items read
// from it: a JPEG's APP1 segment "http://ns.adobe.com/xap/1.0/\0" (the
// first one; extended XMP segments are named and skipped), a TIFF's tag
// 700, a PNG's iTXt chunk "XML:com.adobe.xmp" among the bytes at hand, an
// SVG's x:xmpmeta (or rdf:RDF) element. Only bytes already read are
// looked at.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "inspect/blackboard_packet.h"
#include "inspect/jpeg_segments.h"

namespace zor {

// header: the JPEG's bytes up to its image data; segments: its walk.
BlackboardPacket ReadJpegBlackboard(std::span<const std::uint8_t> header, const std::vector<JpegSegment>& segments);

// The packet of a TIFF file at offset with size bytes (tag 700), nothing
// when size is 0.
BlackboardPacket ReadTiffBlackboard(std::span<const std::uint8_t> tiff, std::uint64_t offset, std::uint64_t size);

// The XMP iTXt chunk among bytes (a PNG file's start), before the image
// data; a compressed one is not inflated and reads as none.
BlackboardPacket ReadPngBlackboard(std::span<const std::uint8_t> bytes);

// An SVG document's packet.
BlackboardPacket ReadSvgBlackboard(std::string_view svg);

// True when bytes start with the PNG signature.
bool LooksLikePng(std::span<const std::uint8_t> bytes);

}  // namespace zor
