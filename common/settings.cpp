#include "settings.h"

#include "inifile.h"

#include <QUrl>

namespace {

QString withoutTrailingSlash(QString host)
{
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    return host;
}

// Percent-encodes everything but unreserved characters, so that a text cut from a page can
// never add or change a query parameter; plain digits and "12.50" pass unchanged.
QString queryValue(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

}  // namespace

SiteHosts SiteHosts::Load(const QString &settingsFile)
{
    const IniFile ini(settingsFile);
    const QString &s = settings::kSiteSection;
    SiteHosts hosts;
    hosts.search = withoutTrailingSlash(ini.ReadString(s, QStringLiteral("search"),
                                                       QStringLiteral("http://search.ebay.com")));
    hosts.item = withoutTrailingSlash(ini.ReadString(s, QStringLiteral("item"),
                                                     QStringLiteral("http://cgi.ebay.com")));
    hosts.time = withoutTrailingSlash(ini.ReadString(s, QStringLiteral("time"),
                                                     QStringLiteral("http://cgi1.ebay.com")));
    hosts.bid = withoutTrailingSlash(ini.ReadString(s, QStringLiteral("bid"),
                                                    QStringLiteral("http://offer.ebay.com")));
    hosts.connectionKeeper = withoutTrailingSlash(
        ini.ReadString(s, QStringLiteral("conkeep"), QStringLiteral("http://www.corvane.example")));
    return hosts;
}

namespace siteaddress {

QString SearchPage(const SiteHosts &hosts)
{
    return hosts.search + QStringLiteral("/ws/search/AdvSearch?");
}

QString ItemView(const SiteHosts &hosts, const QString &auctionId)
{
    return hosts.item + QStringLiteral("/eBayISAPI.dll?ViewItem&item=") + queryValue(auctionId);
}

QString OfficialTime(const SiteHosts &hosts)
{
    return hosts.time + QStringLiteral("/ws/eBayISAPI.dll?EbayTime");
}

QString BidPage(const SiteHosts &hosts, const QString &amount, const QString &auctionId)
{
    QString pathAndQuery = QStringLiteral(
        "/ws/eBayISAPI.dll?maxbid=##MAXBID##&MfcISAPICommand=MakeBid&item=##itemNo##");
    // First occurrence only, as the template has one of each.
    pathAndQuery.replace(pathAndQuery.indexOf(QLatin1String("##MAXBID##")), 10, queryValue(amount));
    pathAndQuery.replace(pathAndQuery.indexOf(QLatin1String("##itemNo##")), 10,
                         queryValue(auctionId));
    return hosts.bid + pathAndQuery;
}

QString ConnectionKeeper(const SiteHosts &hosts)
{
    return hosts.connectionKeeper + QStringLiteral("/conkeep.htm");
}

}  // namespace siteaddress
