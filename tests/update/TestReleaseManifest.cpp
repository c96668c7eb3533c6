#include "support/TempStick.h"
#include "update/ReleaseManifest.h"
#include "update/ReleasePath.h"
#include "update/UpdateConfig.h"
#include "update/UpdateReply.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

// JSON written with single quotes: moc's scanner does not read raw string literals.
QByteArray json(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

const QString kDigest(64, QLatin1Char('a'));
const QByteArray kProgram = "{'path':'tidewell.exe','size':5,'sha256':'" + kDigest.toLatin1() + "'}";

QByteArray entry(const QString& path, double size = 1, const QString& digest = kDigest)
{
    const QJsonObject file{{"path", path}, {"size", size}, {"sha256", digest}};
    return QJsonDocument(file).toJson(QJsonDocument::Compact) + ",";
}

QByteArray manifest(const QByteArray& head, const QByteArray& files = kProgram)
{
    return json("{" + head + "'files':[" + files + "]}");
}

// A newer manifest with one more file before the program.
QByteArray withEntry(const QByteArray& entry)
{
    return manifest("'version':'3',", entry + kProgram);
}

// Signed once with a throw-away key by openssl.
const QByteArray kSigned = manifest("'version':'9.1',");
const QByteArray kSignature =
    "luQh6IL5/PoxpjR9zT7yB/20Luat51+xAomEgIkpQBfolx2V2XuzZrGCh088Yl934z/cniYbGAq3qacQqTL/2w==";
const QByteArray kKey = "BApDYiffNpf2a8XrR+mW7V6mXOFNNwzOu27MjUO3Dp8pUuEuquSSPBDK8091C8HDkzm0oQgnD0Jcl0wPexZxsX4=";

QByteArray flipped(QByteArray bytes, int at)
{
    bytes[at] = char(bytes[at] ^ 1);
    return bytes;
}

const QString kMalformed = QStringLiteral("更新信息的格式不对，已拒绝这次更新。电脑上的程序没有改动，请稍后再试。");
const QString kBadSignature = QStringLiteral(
    "更新信息的签名不对，可能在传送中被改过，已拒绝这次更新。电脑上的程序没有改动，请稍后再试或联系客服。");

} // namespace

// The signed list of a release's files: refused as a whole unless every part of it is in bounds.
class TestReleaseManifest : public QObject
{
    Q_OBJECT

private slots:
    void testParse_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("refusal");
        const QString badPath =
            QStringLiteral("更新信息里有不允许的文件路径“%1”，已拒绝这次更新。电脑上的程序没有改动，请联系客服。");
        const QString notNewer = QStringLiteral("服务器上的版本 V%1 不比当前的 V2.0.0 新，无需更新。");
        for (const char* path : {"lib/x", "platforms/qwindows.dll", "说明.txt", "lib/config/x", "CONSOLE.txt", "a.b c"})
            QTest::addRow("%s", path) << withEntry(entry(QString::fromUtf8(path), 0, kDigest.toUpper())) << QString();
        for (const char* path :
             {"",           "/abs",      "C:/x",     "C:x",  "a:b",   "\\\\server\\x", "a\\b",
              "../x",       "a/../b",    "./a",      "a//b", "a/",    "CON",           "con.txt",
              "LPT9.log",   "a/aux.dll", "nul .txt", "COM1", "name.", "name ",         "a<b",
              "a>b",        "a|b",       "a?b",      "a*b",  "a\"b",  "tab\tname",     "config/device.id",
              "Logs/a.log", "tools",     "changes/x"})
            QTest::addRow("refused %s", path)
                << withEntry(entry(QString::fromUtf8(path))) << badPath.arg(QString::fromUtf8(path));
        const QString tooLong(releasepath::kMaxLength + 1, QLatin1Char('a'));
        QTest::addRow("too long") << withEntry(entry(tooLong)) << badPath.arg(tooLong);
        QTest::addRow("forced") << manifest("'version':'2.0.1','forceUpdate':true,") << QString();
        QTest::addRow("not an object") << json("[]") << kMalformed;
        QTest::addRow("no files") << json("{'version':'3'}") << kMalformed;
        QTest::addRow("too many files") << withEntry(entry("a").repeated(ReleaseManifest::kMaxFiles)) << kMalformed;
        QTest::addRow("version not plain") << manifest("'version':'V3',") << kMalformed;
        QTest::addRow("note not a string") << manifest("'version':'3','releaseNote':1,") << kMalformed;
        QTest::addRow("force not a boolean") << manifest("'version':'3','forceUpdate':'yes',") << kMalformed;
        QTest::addRow("negative size") << withEntry(entry("a", -1)) << kMalformed;
        QTest::addRow("fractional size") << withEntry(entry("a", 1.5)) << kMalformed;
        QTest::addRow("size over the bound") << withEntry(entry("a", 1073741825)) << kMalformed;
        QTest::addRow("short digest") << withEntry(entry("a", 1, "ab")) << kMalformed;
        QTest::addRow("digest not hex") << withEntry(entry("a", 1, QString(64, 'g'))) << kMalformed;
        QTest::addRow("no program") << manifest("'version':'3',", entry("a").chopped(1)) << kMalformed;
        QTest::addRow("a path twice") << withEntry(entry("TIDEWELL.EXE")) << badPath.arg("tidewell.exe");
        QTest::addRow("same version") << manifest("'version':'2.0',") << notNewer.arg("2.0");
    }

    void testParse()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, refusal);
        const ReleaseReading reading = ReleaseManifest::parse(json, QStringLiteral("2.0.0"));
        QCOMPARE(reading.refusal, refusal);
        QCOMPARE(reading.manifest.has_value(), refusal.isEmpty());
    }

    void testSignature_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QByteArray>("signature");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QString>("refusal");
        const QByteArray raw = QByteArray::fromBase64(kSignature);
        QTest::addRow("right key") << kSigned << kSignature + "\n" << kKey << QString();
        QTest::addRow("configured key not uncompressed") << kSigned << kSignature << "A" + kKey.mid(1) << kBadSignature;
        QTest::addRow("configured key not base64") << kSigned << kSignature << kKey.left(86) + "!=" << kBadSignature;
        QTest::addRow("flipped manifest byte") << flipped(kSigned, 20) << kSignature << kKey << kBadSignature;
        QTest::addRow("flipped signature byte") << kSigned << flipped(raw, 7).toBase64() << kKey << kBadSignature;
        QTest::addRow("signature not base64") << kSigned << QByteArray("!!") << kKey << kBadSignature;
        QTest::addRow("manifest over 1 MiB")
            << kSigned + QByteArray(1 << 20, ' ') << kSignature << kKey
            << QStringLiteral("更新信息过大，已拒绝这次更新。电脑上的程序没有改动，请稍后再试。");
    }

    void testSignature()
    {
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, signature);
        QFETCH(QByteArray, key);
        QFETCH(QString, refusal);
        const QByteArray configured = UpdateConfig::fromJson("{\"public_key\":\"" + key + "\"}").publicKey;
        const ReleaseReading reading = ReleaseManifest::read(json, signature, configured, QStringLiteral("9.0"));
        QCOMPARE(reading.refusal, refusal);
        QCOMPARE(reading.manifest ? reading.manifest->files.value(0).size : -1, refusal.isEmpty() ? 5 : -1);
    }

    void testPublishedReleaseReadsBack()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty())
            QSKIP("openssl is not installed, so no release can be signed here");
        TempStick stick;
        const QString out = stick.root() + "/out", key = stick.root() + "/key.pem";
        // Enough of a program for its version resource: the fixed part says 9.7.8.
        stick.writeFile("tidewell.exe", QByteArray("MZ\xBD\x04\xEF\xFE\0\0\0\0\x07\0\x09\0\0\0\x08\0", 18));
        for (const char* path : {"lib/x.dll", "config/device.id", "logs/a.log", "tools/t", "changes/c"})
            stick.writeFile(path, "dll");
        QCOMPARE(QProcess::execute("openssl", {"ecparam", "-name", "prime256v1", "-genkey", "-noout", "-out", key}), 0);
        QProcess publicKey, publish;
        publicKey.start("openssl", {"ec", "-in", key, "-pubout", "-outform", "DER"});
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TIDEWELL_RELEASE_KEY", key);
        publish.setProcessEnvironment(environment);
        publish.start("bash",
                      {TIDEWELL_SOURCE_DIR "/scripts/publish-release.sh", stick.appDir(), out, "修好了", "--force"});
        QVERIFY(publicKey.waitForFinished() && publish.waitForFinished(60000));
        QCOMPARE(publish.readAllStandardOutput(), "publish-release: V9.7.8 in " + out.toUtf8() + "\n");
        auto read = [&](const char* path) { return stick.readFile(QStringLiteral("../../out/") + path); };
        const ReleaseReading reading =
            ReleaseManifest::read(read("releases/9.7.8/manifest.json"), read("releases/9.7.8/manifest.sig"),
                                  publicKey.readAllStandardOutput().right(65), "2.0.0");
        QVERIFY2(reading.manifest, qPrintable(reading.refusal));
        QCOMPARE(reading.manifest->releaseNote, QStringLiteral("修好了"));
        QVERIFY(reading.manifest->forced && reading.manifest->files.size() == 2);
        QCOMPARE(reading.manifest->files[1].sha256, QCryptographicHash::hash("dll", QCryptographicHash::Sha256));
        QCOMPARE(read("releases/9.7.8/lib/x.dll"), QByteArray("dll"));
        QCOMPARE(updatereply::parse(read("version/check"), "2.0.0")->version, QStringLiteral("9.7.8"));
        QCOMPARE(read("client/version/check"), read("version/check"));
    }
};

QTEST_GUILESS_MAIN(TestReleaseManifest)
#include "TestReleaseManifest.moc"
