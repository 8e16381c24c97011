#include "ui/WebLinks.h"

#include <QDesktopServices>
#include <QString>

namespace glyphwright::ui {

QUrl HomePageUrl() {
    return QUrl(QStringLiteral("http://") + QString::fromUtf8(kWebHost));
}

QUrl DonationPageUrl() {
    return QUrl(QStringLiteral("http://") + QString::fromUtf8(kWebHost) +
                QStringLiteral("/de/sendmoney.php"));
}

void OpenWebPage(const QUrl& url) {
    static_cast<void>(QDesktopServices::openUrl(url));
}

} // namespace glyphwright::ui
