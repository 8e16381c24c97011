// The maker's web pages, opened in the desktop's web browser.
#pragma once

#include <QUrl>

namespace glyphwright::ui {

// The host of the project's web site, shared by both addresses.
inline constexpr char kWebHost[] = "www.glyphwright.example";

QUrl HomePageUrl();     // "http://" + host
QUrl DonationPageUrl(); // "http://" + host + "/de/sendmoney.php"

// Hands the address to the desktop. Whether a browser opens is not reported:
// a missing browser shows nothing.
void OpenWebPage(const QUrl& url);

} // namespace glyphwright::ui
