#pragma once

namespace zor {

// The product display name: the main window's caption base and the name the
// single-instance guard recognises. UTF-8; convert with Sj() for the core.
inline constexpr const char* kProductNameUtf8 = "ミナロッサ電子納品写真ビューア";

// The product title of the about window, in its three lines.
inline constexpr const char* kProductTitleLinesUtf8 = "ミナロッサ\n電子納品\n写真ビューア";

// The application title while the windows are being created.
inline constexpr const char* kStartupTitleUtf8 = "ミナロッサ３";

// What the user reads for the two XML parsers: the validating parser on
// libxml2, and the own tokenizer.
inline constexpr const char* kValidatingParserNameUtf8 = "libxml2 XML Parser";
inline constexpr const char* kOwnParserNameUtf8 = "TALMO XML Parser";

}  // namespace zor
