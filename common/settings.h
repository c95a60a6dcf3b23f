#pragma once
// Names of the settings file and its keys, and the auction site's addresses.
#include <QString>

namespace settings {

// Resolved against the current directory, like every file the programs share.
inline const QString kFileName = QStringLiteral("windowscorvane.ini");
inline const QString kMainSection = QStringLiteral("main");
inline const QString kSiteSection = QStringLiteral("site");

inline const QString kEbId = QStringLiteral("ebId");
inline const QString kEbPswrd = QStringLiteral("ebPswrd");
inline const QString kOfst = QStringLiteral("ofst");
inline const QString kShwTip = QStringLiteral("shwTip");
inline const QString kNxtTip = QStringLiteral("nxtTip");

}  // namespace settings

// Scheme and authority of each of the site's hosts, such as "http://127.0.0.1:8080".
// The real site's hosts by default; section "site" of the settings file overrides them.
struct SiteHosts {
    QString search;
    QString item;
    QString time;
    QString bid;
    QString connectionKeeper;

    static SiteHosts Load(const QString &settingsFile = settings::kFileName);
};

// The site's pages, each on its own host.
namespace siteaddress {
QString SearchPage(const SiteHosts &hosts);
QString ItemView(const SiteHosts &hosts, const QString &auctionId);
QString OfficialTime(const SiteHosts &hosts);
QString BidPage(const SiteHosts &hosts, const QString &amount, const QString &auctionId);
QString ConnectionKeeper(const SiteHosts &hosts);
}  // namespace siteaddress
