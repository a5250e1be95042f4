#pragma once

namespace zor {

// The product display name: the main window's caption base and the name the
// single-instance guard recognises. UTF-8; convert with Sj() for the core.
inline constexpr const char* kProductNameUtf8 = "ミナロッサ電子納品写真ビューア";

// The application title while the windows are being created.
inline constexpr const char* kStartupTitleUtf8 = "ミナロッサ３";

// Where the latest version of the viewer is offered.
inline constexpr const char* kDownloadPageUrl = "https://example.org/minarossa/zorview/";

}  // namespace zor
