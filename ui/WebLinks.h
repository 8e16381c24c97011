// The maker's web pages, opened in the desktop's web browser.
#pragma once

#include <QUrl>

#include <functional>

namespace glyphwright::ui {

// The host of the project's web site, shared by both addresses.
inline constexpr char kWebHost[] = "www.glyphwright.example";

QUrl HomePageUrl();     // "http://" + host
QUrl DonationPageUrl(); // "http://" + host + "/de/sendmoney.php"

// Asks the desktop to show an address in its web browser; false when nothing
// took it (no browser is set up).
using WebPageOpener = std::function<bool(const QUrl&)>;

// QDesktopServices::openUrl.
WebPageOpener DesktopWebPageOpener();

// Hands the address to the desktop. When no browser takes it, a message shows
// the address, selectable, so that the user can copy it into one.
void OpenWebPage(const QUrl& url, const WebPageOpener& open = DesktopWebPageOpener());

} // namespace glyphwright::ui
