#include "support/TempStick.h"
#include "update/UpdateConfig.h"

#include <QtTest>

namespace {

// JSON written with single quotes: moc's scanner does not read raw string literals.
QByteArray json(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

const QString kDefaultUrl = QString::fromLatin1(UpdateConfig::kDefaultUrl);

} // namespace

// "updater.config" beside the program: where the update check asks and which device code it sends.
class TestUpdateConfig : public QObject
{
    Q_OBJECT

private slots:
    void testLoad_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("deviceCode");

        const QString one = QStringLiteral("1");
        QTest::addRow("missing") << false << QByteArray() << kDefaultUrl << one;
        QTest::addRow("empty") << true << QByteArray() << kDefaultUrl << one;
        QTest::addRow("broken") << true << json("{'update_url': 'https://a.test/x',") << kDefaultUrl << one;
        QTest::addRow("not an object") << true << json("['https://a.test/x']") << kDefaultUrl << one;
        QTest::addRow("base_url") << true << json("{'base_url': 'https://a.test/api'}")
                                  << QStringLiteral("https://a.test/api/version/check") << one;
        QTest::addRow("update_url") << true << json("{'update_url': 'http://b.test/check'}")
                                    << QStringLiteral("http://b.test/check") << one;
        QTest::addRow("both: update_url wins")
            << true << json("{'base_url': 'https://a.test', 'update_url': 'https://b.test/c'}")
            << QStringLiteral("https://b.test/c") << one;
        QTest::addRow("unusable update_url keeps base_url")
            << true << json("{'base_url': 'https://a.test', 'update_url': 'file:///C:/x.json'}")
            << QStringLiteral("https://a.test/version/check") << one;
        QTest::addRow("ftp base_url") << true << json("{'base_url': 'ftp://a.test'}") << kDefaultUrl << one;
        QTest::addRow("relative update_url") << true << json("{'update_url': '/check'}") << kDefaultUrl << one;
        QTest::addRow("update_url not a string") << true << json("{'update_url': 5}") << kDefaultUrl << one;
        QTest::addRow("empty update_url") << true << json("{'update_url': ''}") << kDefaultUrl << one;
        QTest::addRow("device_code") << true << json("{'device_code': '店铺-12'}") << kDefaultUrl
                                     << QStringLiteral("店铺-12");
        QTest::addRow("device_code with a line break")
            << true << json("{'device_code': 'A\\r\\nX-Evil: 1'}") << kDefaultUrl << one;
        QTest::addRow("device_code not a string") << true << json("{'device_code': 7}") << kDefaultUrl << one;
    }

    void testLoad()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, content);
        QFETCH(QString, url);
        QFETCH(QString, deviceCode);
        TempStick stick;
        if (present)
            stick.writeFile(QStringLiteral("updater.config"), content);

        const UpdateConfig config = UpdateConfig::load(stick.appDir());
        QCOMPARE(config.url.toString(), url);
        QCOMPARE(config.deviceCode, deviceCode);
    }

    void testDefaultIsSecure()
    {
        QCOMPARE(UpdateConfig().url.scheme(), QStringLiteral("https"));
        QCOMPARE(UpdateConfig().url.path(), QStringLiteral("/client/version/check"));
    }
};

QTEST_GUILESS_MAIN(TestUpdateConfig)
#include "TestUpdateConfig.moc"
