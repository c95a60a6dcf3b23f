#include "webbrowser.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

namespace {

// How long one document operation may wait for the page's renderer.
const int kScriptTimeoutMs = 5000;

QString jsString(const QString &text)
{
    // A JSON array of one string gives a correctly escaped JavaScript string literal.
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

// Elements found by Form and TextField are kept in the script world, numbered by index.
const char kRefs[] = "(window.__corvaneRefs = window.__corvaneRefs || [])";

}  // namespace

WebBrowser::WebBrowser(QWidget *parentWidget)
    : Browser(parentWidget), m_view(new QWebEngineView(parentWidget))
{
    m_view->setObjectName(QStringLiteral("bro"));
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool) { emit DocumentComplete(); });
}

WebBrowser::~WebBrowser()
{
    // The view belongs to its parent widget when it has one.
    if (!m_view->parent())
        delete m_view;
}

QWidget *WebBrowser::View()
{
    return m_view;
}

QWebEnginePage *WebBrowser::Page() const
{
    return m_view->page();
}

void WebBrowser::Navigate(const QString &url)
{
    m_navigated = true;
    m_view->load(QUrl(url));
}

void WebBrowser::Stop()
{
    m_view->stop();
}

QVariant WebBrowser::Evaluate(const QString &script)
{
    struct State {
        QVariant result;
        bool done = false;
        QEventLoop loop;
    };
    auto state = std::make_shared<State>();
    std::weak_ptr<State> weak = state;
    m_view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                  [weak](const QVariant &value) {
                                      if (auto s = weak.lock()) {
                                          s->result = value;
                                          s->done = true;
                                          s->loop.quit();
                                      }
                                  });
    if (!state->done) {
        QTimer::singleShot(kScriptTimeoutMs, &state->loop, &QEventLoop::quit);
        state->loop.exec();
    }
    return state->result;
}

bool WebBrowser::HasDocument()
{
    if (!m_navigated)
        return false;
    return Evaluate(QStringLiteral("document instanceof HTMLDocument")).toBool();
}

QString WebBrowser::Title()
{
    if (!m_navigated)
        return QString();
    // document.title, not the view's title, which shows the address when a page has none.
    return Evaluate(QStringLiteral("document instanceof HTMLDocument ? document.title : ''"))
        .toString();
}

int WebBrowser::Form(const QString &name)
{
    if (!m_navigated)
        return -1;
    const QString script = QStringLiteral(
        "(function() {"
        "  if (!(document instanceof HTMLDocument) || !document.forms) return -1;"
        "  var f = document.forms.namedItem(%1);"
        "  if (!(f instanceof HTMLFormElement)) return -1;"
        "  return %2.push(f) - 1;"
        "})()").arg(jsString(name), QLatin1String(kRefs));
    const QVariant v = Evaluate(script);
    return v.isValid() ? v.toInt() : -1;
}

int WebBrowser::TextField(int form, const QString &name)
{
    if (form < 0)
        return -1;
    const QString script = QStringLiteral(
        "(function() {"
        "  var f = %3[%2];"
        "  if (!(f instanceof HTMLFormElement)) return -1;"
        "  var el = null;"
        "  for (var i = 0; i < f.elements.length; ++i) {"
        "    var e = f.elements[i];"
        "    if (e.name === %1 || e.id === %1) { el = e; break; }"
        "  }"
        "  var textTypes = ['text', 'password', 'hidden', 'search', 'email', 'tel', 'url'];"
        "  if (!(el instanceof HTMLInputElement) || textTypes.indexOf(el.type) < 0) return -1;"
        "  return %3.push(el) - 1;"
        "})()").arg(jsString(name)).arg(form).arg(QLatin1String(kRefs));
    const QVariant v = Evaluate(script);
    return v.isValid() ? v.toInt() : -1;
}

bool WebBrowser::SetValue(int field, const QString &value)
{
    if (field < 0)
        return false;
    const QString script = QStringLiteral(
        "(function() {"
        "  var el = %3[%2];"
        "  if (!(el instanceof HTMLInputElement)) return false;"
        "  el.value = %1;"
        "  el.dispatchEvent(new Event('input', {bubbles: true}));"
        "  el.dispatchEvent(new Event('change', {bubbles: true}));"
        "  return true;"
        "})()").arg(jsString(value)).arg(field).arg(QLatin1String(kRefs));
    return Evaluate(script).toBool();
}

bool WebBrowser::Submit(int form)
{
    if (form < 0)
        return false;
    const QString script = QStringLiteral(
        "(function() {"
        "  var f = %2[%1];"
        "  if (!(f instanceof HTMLFormElement)) return false;"
        "  f.submit();"
        "  return true;"
        "})()").arg(form).arg(QLatin1String(kRefs));
    return Evaluate(script).toBool();
}
