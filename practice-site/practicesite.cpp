#include "practicesite.h"

#include <QRandomGenerator>
#include <QUrlQuery>

#include <cstdio>

namespace practicesite {

namespace {

// Fixed English names: the site must not follow the system locale.
const char *const kWeekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                 "Friday", "Saturday", "Sunday"};
const char *const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char *const kMonthsShort[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const char *const kTextPlain = "text/plain; charset=utf-8";
const QString kItemPath = QStringLiteral("/ws/eBayISAPI.dll?ViewItem&item=");

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString esc(const QString &s)
{
    return s.toHtmlEscaped();
}

// Form and query decoding: '+' stands for a blank, as browsers send it.
QMap<QString, QString> formFields(QByteArray encoded)
{
    encoded.replace('+', ' ');
    QMap<QString, QString> fields;
    const QUrlQuery q(QString::fromUtf8(encoded));
    for (const auto &item : q.queryItems(QUrl::FullyDecoded))
        fields.insert(item.first, item.second);
    return fields;
}

QByteArray htmlPage(const QString &title, const QStringList &bodyLines)
{
    QStringList lines;
    lines << QStringLiteral("<!DOCTYPE html>") << QStringLiteral("<html>") << QStringLiteral("<head>")
          << QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">")
          << QStringLiteral("<title>%1</title>").arg(esc(title)) << QStringLiteral("</head>")
          << QStringLiteral("<body>");
    lines << bodyLines;
    lines << QStringLiteral("</body>") << QStringLiteral("</html>");
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

Response html(const QString &title, const QStringList &bodyLines, int status = 200)
{
    Response r;
    r.status = status;
    r.body = htmlPage(title, bodyLines);
    return r;
}

Response text(const QString &body, int status = 200)
{
    Response r;
    r.status = status;
    r.contentType = kTextPlain;
    r.body = body.toUtf8();
    return r;
}

Response redirect(const QString &location, int status = 302)
{
    Response r = html(QStringLiteral("Moved"),
                      {QStringLiteral("<p>Moved to <a href=\"%1\">%1</a></p>").arg(esc(location))},
                      status);
    r.headers.append({"Location", location.toUtf8()});
    return r;
}

Response notFound()
{
    return html(QStringLiteral("Page not found"),
                {QStringLiteral("<h1>Page not found</h1>"),
                 QStringLiteral("<p><a href=\"%1\">Search auctions</a></p>").arg(PracticeSite::SearchPath)},
                404);
}

QString pathAndQuery(const QUrl &url)
{
    return QString::fromUtf8(
        url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment));
}

QString itemLink(qint64 item)
{
    return kItemPath + QString::number(item);
}

}  // namespace

QString zoneAbbreviation(const QDateTime &zoned)
{
    QString letters;
    for (const QChar c : zoned.timeZoneAbbreviation()) {
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')))
            letters += c.toUpper();
    }
    if (letters.size() >= 3)
        return letters.left(3);
    return zoned.offsetFromUtc() == 0 ? QStringLiteral("UTC") : QStringLiteral("GMT");
}

QString officialTimeText(const QDateTime &zoned)
{
    const QDate d = zoned.date();
    const QTime t = zoned.time();
    return QStringLiteral("%1, %2 %3, %4 %5:%6:%7 %8")
        .arg(QLatin1String(kWeekdays[d.dayOfWeek() - 1]), QLatin1String(kMonths[d.month() - 1]),
             twoDigits(d.day()), QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0')),
             twoDigits(t.hour()), twoDigits(t.minute()), twoDigits(t.second()), zoneAbbreviation(zoned));
}

QString itemEndTimeText(const QDateTime &zoned)
{
    const QDate d = zoned.date();
    const QTime t = zoned.time();
    return QStringLiteral("%1-%2-%3 %4:%5:%6 %7")
        .arg(QLatin1String(kMonthsShort[d.month() - 1]), twoDigits(d.day()), twoDigits(d.year() % 100),
             twoDigits(t.hour()), twoDigits(t.minute()), twoDigits(t.second()), zoneAbbreviation(zoned));
}

QString timeLeftText(qint64 msLeft)
{
    if (msLeft <= 0)
        return QStringLiteral("ended");
    qint64 s = msLeft / 1000;
    const qint64 days = s / 86400;
    s %= 86400;
    const QString hms = QStringLiteral("%1h %2m %3s")
                            .arg(twoDigits(int(s / 3600)), twoDigits(int(s / 60 % 60)), twoDigits(int(s % 60)));
    return days > 0 ? QStringLiteral("%1d ").arg(days) + hms : hms;
}

QByteArray Request::header(const QByteArray &name) const
{
    for (const auto &h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return QByteArray();
}

PracticeSite::PracticeSite(const QTimeZone &zone) : m_zone(zone) {}

void PracticeSite::setOffset(double seconds)
{
    m_offsetMs = qRound64(seconds * 1000.0);
}

void PracticeSite::setCredentials(const QString &user, const QString &password)
{
    m_user = user;
    m_password = password;
    m_checkCredentials = true;
}

bool PracticeSite::setLogFile(const QString &path)
{
    m_logFile.setFileName(path);
    return m_logFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

QDateTime PracticeSite::siteNow() const
{
    return siteTimeAt(QDateTime::currentMSecsSinceEpoch());
}

QDateTime PracticeSite::siteTimeAt(qint64 localMs) const
{
    return QDateTime::fromMSecsSinceEpoch(localMs + m_offsetMs, m_zone);
}

qint64 PracticeSite::addAuction(const QString &title, double endsInSeconds)
{
    Auction a;
    a.item = m_nextItem++;
    a.title = title;
    a.end = QDateTime::fromMSecsSinceEpoch(
        QDateTime::currentMSecsSinceEpoch() + m_offsetMs + qRound64(endsInSeconds * 1000.0), Qt::UTC);
    m_auctions.insert(a.item, a);
    log(QStringLiteral("AUCTION item=%1 ends=%2 title=%3")
            .arg(a.item)
            .arg(itemEndTimeText(a.end.toTimeZone(m_zone)), a.title));
    return a.item;
}

const Auction *PracticeSite::auction(qint64 item) const
{
    const auto it = m_auctions.constFind(item);
    return it == m_auctions.constEnd() ? nullptr : &it.value();
}

QString PracticeSite::siteTimeStamp(qint64 localMs) const
{
    return siteTimeAt(localMs).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
}

void PracticeSite::log(const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    if (m_echo) {
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
        std::fflush(stderr);
    }
    if (m_logFile.isOpen()) {
        m_logFile.write(bytes);
        m_logFile.flush();
    }
}

bool PracticeSite::signedIn(const Request &req) const
{
    const QList<QByteArray> cookies = req.header("Cookie").split(';');
    for (const QByteArray &c : cookies) {
        const QByteArray pair = c.trimmed();
        const int eq = pair.indexOf('=');
        if (eq > 0 && pair.left(eq) == SessionCookie && m_sessions.contains(pair.mid(eq + 1)))
            return true;
    }
    return false;
}

Response PracticeSite::handle(const Request &req)
{
    const QString target = pathAndQuery(req.url);
    m_requests.append(QStringLiteral("%1\t%2\t%3").arg(req.receivedMs).arg(QString::fromLatin1(req.method), target));
    log(QStringLiteral("REQ %1 %2 %3").arg(req.receivedMs).arg(QString::fromLatin1(req.method), target));

    const QString path = req.url.path();
    const QMap<QString, QString> query = formFields(req.url.query(QUrl::FullyEncoded).toUtf8());

    if (path == QLatin1String("/ws/eBayISAPI.dll") || path == QLatin1String("/eBayISAPI.dll"))
        return isapi(req, query);
    if (path == QLatin1String(SearchPath))
        return searchPage(query);
    if (path == QLatin1String("/"))
        return redirect(QLatin1String(SearchPath));
    if (path == QLatin1String("/conkeep.htm")) {
        return html(QStringLiteral("Connection keeper"),
                    {QStringLiteral("<h1>Connection keeper</h1>"),
                     QStringLiteral("<p>This page is fetched now and then to keep a dial-up connection open"),
                     QStringLiteral("while the programs wait for an auction to end.</p>")});
    }
    if (path.startsWith(QLatin1String("/admin/")))
        return admin(path, query);
    if (path.startsWith(QLatin1String("/test/")))
        return testPage(path);
    return notFound();
}

Response PracticeSite::isapi(const Request &req, const QMap<QString, QString> &query)
{
    const QString command = query.value(QStringLiteral("MfcISAPICommand"));
    if (query.contains(QStringLiteral("EbayTime")))
        return timePage(req);
    if (query.contains(QStringLiteral("ViewItem")))
        return itemPage(query.value(QStringLiteral("item")));
    if (command == QLatin1String("MakeBid"))
        return bidPage(req, query);
    if (command == QLatin1String("AcceptBid"))
        return acceptBid(req);
    if (query.contains(QStringLiteral("SignIn"))) {
        if (req.method == "POST")
            return signIn(req);
        return signInPage(query.value(QStringLiteral("ru")), QString());
    }
    return notFound();
}

Response PracticeSite::timePage(const Request &req)
{
    return html(QStringLiteral("Official time"),
                {QStringLiteral("<h1>Official time</h1>"),
                 QStringLiteral("<p>The official auction time is:</p>"),
                 QStringLiteral("<p><b>%1</b></p>").arg(officialTimeText(siteTimeAt(req.receivedMs))),
                 QStringLiteral("<p><a href=\"%1\">Search auctions</a></p>").arg(SearchPath)});
}

Response PracticeSite::searchPage(const QMap<QString, QString> &query)
{
    const QString wanted = query.value(QStringLiteral("satitle")).trimmed();
    const QDateTime now = siteNow();
    QStringList body;
    body << QStringLiteral("<h1>Practice auctions</h1>")
         << QStringLiteral("<form name=\"search\" method=\"get\" action=\"%1\">").arg(SearchPath)
         << QStringLiteral("<p>Title: <input type=\"text\" name=\"satitle\" value=\"%1\">").arg(esc(wanted))
         << QStringLiteral("<input type=\"submit\" value=\"Search\"></p>") << QStringLiteral("</form>")
         << QStringLiteral("<p>Site time: %1</p>").arg(officialTimeText(now));

    QStringList rows;
    for (const Auction &a : std::as_const(m_auctions)) {
        if (!wanted.isEmpty() && !a.title.contains(wanted, Qt::CaseInsensitive))
            continue;
        rows << QStringLiteral("<tr><td><a href=\"%1\">%2</a></td><td>%3</td><td>%4</td><td>%5</td></tr>")
                    .arg(esc(itemLink(a.item)), esc(a.title))
                    .arg(a.item)
                    .arg(itemEndTimeText(a.end.toTimeZone(m_zone)), timeLeftText(now.msecsTo(a.end)));
    }
    if (rows.isEmpty()) {
        body << QStringLiteral("<p>No auctions found.</p>");
    } else {
        body << QStringLiteral("<table border=\"1\">")
             << QStringLiteral("<tr><th>Item</th><th>Number</th><th>Ends</th><th>Time left</th></tr>") << rows
             << QStringLiteral("</table>");
    }
    body << QStringLiteral("<h2>New practice auction</h2>")
         << QStringLiteral("<form name=\"newauction\" method=\"get\" action=\"/admin/auctions/new\">")
         << QStringLiteral("<p>Title: <input type=\"text\" name=\"title\" value=\"Practice item\">")
         << QStringLiteral("Ends in (seconds): <input type=\"text\" name=\"ends_in\" value=\"300\">")
         << QStringLiteral("<input type=\"hidden\" name=\"redirect\" value=\"1\">")
         << QStringLiteral("<input type=\"submit\" value=\"Create\"></p>") << QStringLiteral("</form>");
    return html(QStringLiteral("Practice auctions: search"), body);
}

Response PracticeSite::itemPage(const QString &itemText)
{
    const Auction *a = auction(itemText.toLongLong());
    if (!a)
        return notFound();
    const QDateTime end = a->end.toTimeZone(m_zone);
    const QString title = QStringLiteral("%1 - eBay (item %2 end time %3)")
                              .arg(a->title)
                              .arg(a->item)
                              .arg(itemEndTimeText(end));
    return html(title,
                {QStringLiteral("<h1>%1</h1>").arg(esc(a->title)),
                 QStringLiteral("<p>Item number: %1</p>").arg(a->item),
                 QStringLiteral("<p>Ends: %1</p>").arg(officialTimeText(end)),
                 QStringLiteral("<p>Time left: %1</p>").arg(timeLeftText(siteNow().msecsTo(a->end))),
                 QStringLiteral("<form name=\"bid\" method=\"get\" action=\"/ws/eBayISAPI.dll\">"),
                 QStringLiteral("<input type=\"hidden\" name=\"MfcISAPICommand\" value=\"MakeBid\">"),
                 QStringLiteral("<input type=\"hidden\" name=\"item\" value=\"%1\">").arg(a->item),
                 QStringLiteral("<p>Your maximum bid: <input type=\"text\" name=\"maxbid\">"),
                 QStringLiteral("<input type=\"submit\" value=\"Place bid\"></p>"), QStringLiteral("</form>"),
                 QStringLiteral("<p><a href=\"%1\">Back to search</a></p>").arg(SearchPath)});
}

Response PracticeSite::signInPage(const QString &returnTo, const QString &error) const
{
    QStringList body;
    body << QStringLiteral("<h1>Sign in</h1>");
    if (!error.isEmpty())
        body << QStringLiteral("<p class=\"error\" style=\"color:red\">%1</p>").arg(esc(error));
    body << QStringLiteral("<form name=\"SignInForm\" id=\"SignInForm\" method=\"post\" "
                           "action=\"/ws/eBayISAPI.dll?SignIn\">")
         << QStringLiteral("<p>User ID: <input type=\"text\" name=\"userid\"></p>")
         << QStringLiteral("<p>Password: <input type=\"password\" name=\"pass\"></p>")
         << QStringLiteral("<input type=\"hidden\" name=\"ru\" value=\"%1\">").arg(esc(returnTo))
         << QStringLiteral("<p><input type=\"submit\" value=\"Sign in\"></p>") << QStringLiteral("</form>");
    return html(QStringLiteral("Sign in or register to continue"), body);
}

Response PracticeSite::bidPage(const Request &req, const QMap<QString, QString> &query)
{
    if (!signedIn(req))
        return signInPage(pathAndQuery(req.url), QString());
    const Auction *a = auction(query.value(QStringLiteral("item")).toLongLong());
    if (!a) {
        return html(QStringLiteral("Item not found"),
                    {QStringLiteral("<h1>Item not found</h1>"),
                     QStringLiteral("<p><a href=\"%1\">Search auctions</a></p>").arg(SearchPath)});
    }
    const QString amount = query.value(QStringLiteral("maxbid"));
    return html(QStringLiteral("Review and confirm your bid"),
                {QStringLiteral("<h1>Review and confirm your bid</h1>"),
                 QStringLiteral("<p>Item: %1 (item %2)</p>").arg(esc(a->title)).arg(a->item),
                 QStringLiteral("<p>Your maximum bid: %1</p>").arg(esc(amount)),
                 QStringLiteral("<p>Time left: %1</p>").arg(timeLeftText(siteNow().msecsTo(a->end))),
                 QStringLiteral("<form name=\"PlaceBid\" id=\"PlaceBid\" method=\"post\" "
                                "action=\"/ws/eBayISAPI.dll?MfcISAPICommand=AcceptBid\">"),
                 QStringLiteral("<input type=\"hidden\" name=\"item\" value=\"%1\">").arg(a->item),
                 QStringLiteral("<input type=\"hidden\" name=\"maxbid\" value=\"%1\">").arg(esc(amount)),
                 QStringLiteral("<input type=\"submit\" value=\"Confirm bid\">"), QStringLiteral("</form>")});
}

Response PracticeSite::signIn(const Request &req)
{
    const QMap<QString, QString> form = formFields(req.body);
    const QString user = form.value(QStringLiteral("userid"));
    const QString returnTo = form.value(QStringLiteral("ru"));
    if (m_checkCredentials && (user != m_user || form.value(QStringLiteral("pass")) != m_password)) {
        log(QStringLiteral("SIGNIN REJECTED user=%1").arg(user));
        return signInPage(returnTo, QStringLiteral("The user ID or password you entered is not correct."));
    }
    const QString stamp = siteTimeStamp(req.receivedMs);
    m_records.append(QStringLiteral("signin\t%1\t%2\t%3").arg(user, stamp).arg(req.receivedMs));
    log(QStringLiteral("SIGNIN user=%1 site=%2").arg(user, stamp));

    QByteArray session(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(session.data()), 4);
    session = session.toHex();
    m_sessions.insert(session);

    // Only same-site paths are followed, so the page cannot send the browser elsewhere.
    const bool local = returnTo.startsWith(QLatin1Char('/')) && !returnTo.startsWith(QLatin1String("//"));
    Response r = redirect(local ? returnTo : QString::fromLatin1(SearchPath));
    r.headers.append({"Set-Cookie", QByteArray(SessionCookie) + '=' + session + "; Path=/"});
    return r;
}

Response PracticeSite::acceptBid(const Request &req)
{
    QMap<QString, QString> fields = formFields(req.url.query(QUrl::FullyEncoded).toUtf8());
    if (req.method == "POST")
        fields.insert(formFields(req.body));
    const QString itemText = fields.value(QStringLiteral("item"));
    const QString amount = fields.value(QStringLiteral("maxbid"));
    if (!signedIn(req)) {
        return signInPage(QStringLiteral("/ws/eBayISAPI.dll?maxbid=%1&MfcISAPICommand=MakeBid&item=%2")
                              .arg(QString::fromUtf8(QUrl::toPercentEncoding(amount)), itemText),
                          QString());
    }
    const Auction *a = auction(itemText.toLongLong());
    if (!a) {
        return html(QStringLiteral("Item not found"),
                    {QStringLiteral("<h1>Item not found</h1>"),
                     QStringLiteral("<p><a href=\"%1\">Search auctions</a></p>").arg(SearchPath)});
    }
    const qint64 siteMs = req.receivedMs + m_offsetMs;
    const QString beforeEnd = QString::number((a->end.toMSecsSinceEpoch() - siteMs) / 1000.0, 'f', 3);
    const QString stamp = siteTimeStamp(req.receivedMs);
    m_records.append(QStringLiteral("bid\t%1\t%2\t%3\t%4\t%5")
                         .arg(a->item)
                         .arg(amount, stamp)
                         .arg(req.receivedMs)
                         .arg(beforeEnd));
    log(QStringLiteral("BID item=%1 amount=%2 site=%3 before_end=%4s").arg(a->item).arg(amount, stamp, beforeEnd));

    QStringList body;
    body << QStringLiteral("<h1>Bid confirmed</h1>")
         << QStringLiteral("<p>Your maximum bid of %1 on %2 (item %3) was received at %4.</p>")
                .arg(esc(amount), esc(a->title))
                .arg(a->item)
                .arg(officialTimeText(siteTimeAt(req.receivedMs)));
    if (siteMs >= a->end.toMSecsSinceEpoch())
        body << QStringLiteral("<p>Note: this auction had already ended.</p>");
    body << QStringLiteral("<p><a href=\"%1\">Back to the item</a></p>").arg(esc(itemLink(a->item)));
    return html(QStringLiteral("Bid confirmed"), body);
}

Response PracticeSite::admin(const QString &path, const QMap<QString, QString> &query)
{
    if (path == QLatin1String("/admin/auctions/new")) {
        bool ok = false;
        const double endsIn = query.value(QStringLiteral("ends_in")).toDouble(&ok);
        if (!ok)
            return text(QStringLiteral("ends_in must be a number of seconds\n"), 400);
        QString title = query.value(QStringLiteral("title")).trimmed();
        if (title.isEmpty())
            title = QStringLiteral("Practice item");
        const qint64 item = addAuction(title, endsIn);
        if (query.value(QStringLiteral("redirect")) == QLatin1String("1"))
            return redirect(itemLink(item));
        return text(QString::number(item) + QLatin1Char('\n'));
    }
    if (path == QLatin1String("/admin/clock")) {
        if (query.contains(QStringLiteral("offset"))) {
            bool ok = false;
            const double seconds = query.value(QStringLiteral("offset")).toDouble(&ok);
            if (!ok)
                return text(QStringLiteral("offset must be a number of seconds\n"), 400);
            setOffset(seconds);
            log(QStringLiteral("CLOCK offset=%1s").arg(offset(), 0, 'f', 3));
        }
        return text(QStringLiteral("offset=%1\nsite_time=%2\n")
                        .arg(offset(), 0, 'f', 3)
                        .arg(siteTimeStamp(QDateTime::currentMSecsSinceEpoch())));
    }
    if (path == QLatin1String("/admin/log"))
        return text(m_records.isEmpty() ? QString() : m_records.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    if (path == QLatin1String("/admin/requests"))
        return text(m_requests.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return notFound();
}

Response PracticeSite::testPage(const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);  // "test", name, [arg]
    const QString name = parts.value(1);
    if (parts.size() == 2 && name == QLatin1String("lines"))
        return text(QStringLiteral("first line\nsecond line\nthird line\n"));
    if (parts.size() == 2 && name == QLatin1String("empty"))
        return text(QString());
    bool ok = false;
    const int n = parts.value(2).toInt(&ok);
    if (parts.size() == 3 && ok && name == QLatin1String("status") && n >= 200 && n <= 599)
        return html(QStringLiteral("Status %1").arg(n), {QStringLiteral("<p>error page %1</p>").arg(n)}, n);
    if (parts.size() == 3 && ok && name == QLatin1String("redirect") && n >= 0)
        return redirect(n > 0 ? QStringLiteral("/test/redirect/%1").arg(n - 1) : QStringLiteral("/test/lines"));
    return notFound();
}

}  // namespace practicesite
