#pragma once

// The maker's web site, opened by every window's "Visit Corvela Pro Web Site".
inline constexpr const char* kMakersWebSite = "https://corvela.qelvar.example/";
