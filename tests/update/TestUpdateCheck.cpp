#include "support/LoopbackHttpServer.h"
#include "update/UpdateCheck.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QUrlQuery>
#include <QtTest>

using Kind = LoopbackHttpServer::Kind;
using Route = LoopbackHttpServer::Route;

Q_DECLARE_METATYPE(LoopbackHttpServer::Route)

namespace {

// JSON written with single quotes: moc's scanner does not read raw string literals.
QByteArray json(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

constexpr int kEndWaitMs = 20000;
const QString kRunning = QStringLiteral("1.1.1.5");

QByteArray offerBody(const QByteArray& version, const QByteArray& extra = QByteArray())
{
    return json("{'code':200,'data':{'hasUpdate':true,'forceUpdate':false,'latest':{'version':'") + version +
           json("','releaseNote':'修复问题'") + extra + "}}}";
}

Route answer(const QByteArray& body, int status = 200)
{
    return Route{Kind::Answer, status, body, 0};
}

} // namespace

// The update check against a real HTTP server on the loopback interface: every way a server can answer,
// fail or misbehave ends in exactly one `ended`, with an offer only for a valid, newer version.
class TestUpdateCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The check uses the system proxy settings; none may redirect the loopback requests.
        for (const char* name : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(name);
    }

    void testServerAnswers_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<QString>("offeredVersion"); // empty: no offer

        // A valid offer padded with blanks that JSON allows: only the size limit refuses it.
        const QByteArray big = offerBody("9.0") + QByteArray(6 * 1024 * 1024, ' ');
        QTest::addRow("newer version") << answer(offerBody("1.2.0")) << QStringLiteral("1.2.0");
        QTest::addRow("newer by a number, not by text") << answer(offerBody("1.1.1.10")) << QStringLiteral("1.1.1.10");
        QTest::addRow("same version") << answer(offerBody("1.1.1.5")) << QString();
        QTest::addRow("older version") << answer(offerBody("1.1.0.99")) << QString();
        QTest::addRow("code 0 succeeds") << answer(
                                                json("{'code':0,'data':{'hasUpdate':true,'latest':{'version':'2'}}}"))
                                         << QStringLiteral("2");
        QTest::addRow("hasUpdate false") << answer(json(
                                                "{'code':200,'data':{'hasUpdate':false,'latest':{'version':'2.0'}}}"))
                                         << QString();
        QTest::addRow("code 500") << answer(json("{'code':500,'data':{'hasUpdate':true,'latest':{'version':'2.0'}}}"))
                                  << QString();
        QTest::addRow("HTTP status 500") << answer(offerBody("2.0"), 500) << QString();
        QTest::addRow("code missing") << answer(json("{'data':{'hasUpdate':true,'latest':{'version':'2.0'}}}"))
                                      << QString();
        QTest::addRow("code not numeric")
            << answer(json("{'code':'200','data':{'hasUpdate':true,'latest':{'version':'2.0'}}}")) << QString();
        QTest::addRow("code not whole") << answer(json(
                                               "{'code':200.5,'data':{'hasUpdate':true,'latest':{'version':'2.0'}}}"))
                                        << QString();
        QTest::addRow("malformed JSON") << answer(offerBody("2.0").left(40)) << QString();
        QTest::addRow("JSON array") << answer("[1,2]") << QString();
        QTest::addRow("hasUpdate a string")
            << answer(json("{'code':200,'data':{'hasUpdate':'true','latest':{'version':'2.0'}}}")) << QString();
        QTest::addRow("version a number")
            << answer(json("{'code':200,'data':{'hasUpdate':true,'latest':{'version':2}}}")) << QString();
        QTest::addRow("latest an array") << answer(json("{'code':200,'data':{'hasUpdate':true,'latest':['2.0']}}"))
                                         << QString();
        QTest::addRow("note not a string") << answer(offerBody("2.0").replace("\"修复问题\"", "[1]")) << QString();
        QTest::addRow("forceUpdate a string") << answer(offerBody("2.0").replace("false", "\"yes\"")) << QString();
        QTest::addRow("version empty") << answer(offerBody("")) << QString();
        QTest::addRow("version with letters") << answer(offerBody("2.0-beta")) << QString();
        QTest::addRow("version of 33 characters") << answer(offerBody(QByteArray(31, '9') + ".9")) << QString();
        QTest::addRow("note too long") << answer(offerBody("2.0").replace("修复问题", QByteArray(4001, 'n')))
                                       << QString();
        QTest::addRow("body of 6 MiB") << answer(big) << QString();
        QTest::addRow("accepts and never answers") << Route{Kind::Silent, 200, offerBody("2.0"), 0} << QString();
        QTest::addRow("drips a byte a second") << Route{Kind::Drip, 200, offerBody("2.0"), 1000} << QString();
        QTest::addRow("drips within the transfer time-out")
            << Route{Kind::Drip, 200, offerBody("2.0"), 100} << QString();
        QTest::addRow("redirect to the same scheme")
            << Route{Kind::Redirect, 302, "/newer", 0} << QStringLiteral("3.0");
        QTest::addRow("redirect to another scheme")
            << Route{Kind::Redirect, 302, "ftp://127.0.0.1/newer", 0} << QString();
    }

    void testServerAnswers()
    {
        QFETCH(Route, route);
        QFETCH(QString, offeredVersion);
        LoopbackHttpServer server;
        server.route("/check", route);
        server.route("/newer", answer(offerBody("3.0")));
        UpdateConfig config;
        config.url = server.url("/check");

        const QList<QVariantList> offers = runCheck(config);
        QCOMPARE(offers.size(), offeredVersion.isEmpty() ? 0 : 1);
        if (!offeredVersion.isEmpty())
            QCOMPARE(offers.first().first().value<UpdateOffer>().version, offeredVersion);
    }

    void testOfferFields()
    {
        LoopbackHttpServer server;
        server.route("/check", answer(json("{'code':200,'data':{'hasUpdate':true,'forceUpdate':true,"
                                           "'latest':{'version':'1.2','releaseNote':'<img src=\\'file://h/x\\'>'}}}")));
        UpdateConfig config;
        config.url = server.url("/check");
        const QList<QVariantList> offers = runCheck(config);
        QCOMPARE(offers.size(), 1);
        const UpdateOffer offer = offers.first().first().value<UpdateOffer>();
        QCOMPARE(offer.version, QStringLiteral("1.2"));
        QCOMPARE(offer.releaseNote, QStringLiteral("<img src=\"file://h/x\">"));
        QVERIFY(offer.forced);
    }

    void testConnectionRefused()
    {
        UpdateConfig config;
        config.url = QUrl(QStringLiteral("http://127.0.0.1:%1/check").arg(LoopbackHttpServer::refusedPort()));
        QVERIFY(runCheck(config).isEmpty());
    }

    void testRequestCarriesQueryAndDeviceCode()
    {
        LoopbackHttpServer server;
        server.route("/client/version/check", answer(offerBody("1.0")));
        UpdateConfig config;
        config.url = server.url("/client/version/check");
        config.deviceCode = QStringLiteral("柜台-7");
        runCheck(config);

        QCOMPARE(server.requests().size(), 1);
        const LoopbackHttpServer::Request& request = server.requests().first();
        QCOMPARE(request.method, QByteArray("GET"));
        QCOMPARE(request.target,
                 QByteArray("/client/version/check?currentVersion=1.1.1.5&platform=WINDOWS&channel=STABLE"));
        QCOMPARE(request.headers.value("x-device-code"), QStringLiteral("柜台-7").toUtf8());
    }

    void testStartReturnsAtOnceAndSendsOneRequest()
    {
        LoopbackHttpServer server;
        server.route("/check", Route{Kind::Silent, 200, QByteArray(), 0});
        QNetworkAccessManager manager;
        UpdateCheck check(&manager);
        check.setTimeouts(300, 3000);
        UpdateConfig config;
        config.url = server.url("/check");
        QSignalSpy ended(&check, &UpdateCheck::ended);
        check.start(config, kRunning);
        QVERIFY(check.isRunning());
        check.start(config, kRunning);
        QVERIFY(ended.wait(kEndWaitMs));
        QVERIFY(!check.isRunning());
        QCOMPARE(server.requests().size(), 1);
    }

private:
    // Runs one check with short limits; returns the `offered` emissions after `ended`, once the reply has
    // been released.
    QList<QVariantList> runCheck(const UpdateConfig& config)
    {
        QNetworkAccessManager manager;
        UpdateCheck check(&manager);
        check.setTimeouts(400, 1500);
        QSignalSpy offered(&check, &UpdateCheck::offered);
        QSignalSpy ended(&check, &UpdateCheck::ended);
        check.start(config, kRunning);
        [&] { QVERIFY(ended.wait(kEndWaitMs)); }();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        [&] {
            QCOMPARE(ended.size(), 1);
            QVERIFY(manager.findChildren<QNetworkReply*>().isEmpty());
        }();
        return offered;
    }
};

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "TestUpdateCheck.moc"
