#include "ui/WebLinks.h"

#include "ui/Dialogs.h"

#include <QCoreApplication>
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

WebPageOpener DesktopWebPageOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void OpenWebPage(const QUrl& url, const WebPageOpener& open) {
    if (open(url)) {
        return;
    }
    ShowInformationBoxToCopy(
        QCoreApplication::translate("WebLinks",
                                    "Die Webseite konnte nicht im Webbrowser geöffnet werden. "
                                    "Bitte kopieren Sie die Adresse und öffnen Sie sie selbst:")
            .append(QStringLiteral("\n\n"))
            .append(url.toString()));
}

} // namespace glyphwright::ui
