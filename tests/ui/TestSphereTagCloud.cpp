#include "ui/widgets/SphereGeometry.h"
#include "ui/widgets/SphereTagCloud.h"

#include <QtTest>

#include <cmath>

namespace {

float distance(const sphere::Point& a, const sphere::Point& b)
{
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

float length(const sphere::Point& p)
{
    return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
}

void showAt(SphereTagCloud& cloud, int width, int height)
{
    cloud.resize(width, height);
    cloud.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cloud));
}

} // namespace

class TestSphereTagCloud : public QObject {
    Q_OBJECT

private slots:
    void testOneTagSitsOnTheEquatorAtPhiZero()
    {
        const QVector<sphere::Point> points = sphere::spread(1);
        QCOMPARE(points.size(), 1);
        QVERIFY(std::abs(points[0].x - 1.0f) < 1e-6f);
        QVERIFY(std::abs(points[0].y) < 1e-6f);
        QVERIFY(std::abs(points[0].z) < 1e-6f);
    }

    void testTagsAreSpreadEvenly_data()
    {
        QTest::addColumn<int>("count");
        QTest::addRow("2 tags") << 2;
        QTest::addRow("7 tags") << 7;
        QTest::addRow("20 tags") << 20;
        QTest::addRow("100 tags") << 100;
    }

    void testTagsAreSpreadEvenly()
    {
        QFETCH(int, count);
        const QVector<sphere::Point> points = sphere::spread(count);
        QCOMPARE(points.size(), count);
        for (int i = 0; i < count; ++i) {
            QVERIFY(std::abs(length(points[i]) - 1.0f) < 1e-5f);
            // Heights step evenly from the top to the bottom.
            const float expectedZ = 1.0f - 2.0f * (static_cast<float>(i) + 0.5f) / static_cast<float>(count);
            QVERIFY(std::abs(points[i].z - expectedZ) < 1e-5f);
        }
        // No two points crowd together: each keeps at least half the spacing of an even covering.
        const float spacing = std::sqrt(4.0f * 3.14159265f / static_cast<float>(count));
        for (int i = 0; i < count; ++i) {
            for (int j = i + 1; j < count; ++j)
                QVERIFY2(distance(points[i], points[j]) > spacing * 0.5f,
                         qPrintable(QStringLiteral("%1-%2").arg(i).arg(j)));
        }
    }

    void testRotationKeepsPairwiseDistances()
    {
        const QVector<sphere::Point> points = sphere::spread(20);
        const float a = 0.008f * 500;
        const float b = 0.003f * 500;
        for (int i = 0; i < points.size(); ++i) {
            const sphere::Point ri = sphere::rotate(points[i], a, b);
            QVERIFY(std::abs(length(ri) - 1.0f) < 1e-5f);
            for (int j = i + 1; j < points.size(); ++j) {
                const sphere::Point rj = sphere::rotate(points[j], a, b);
                QVERIFY(std::abs(distance(ri, rj) - distance(points[i], points[j])) < 1e-5f);
            }
        }
    }

    void testProjectionAtRestCentresTheFrontPoint()
    {
        const sphere::Projection front = sphere::project({0, 0, 1}, 0, 0, 100, 400, 300);
        QCOMPARE(front.depth, 1.0f);
        QCOMPARE(front.scale, 1.5f);
        QCOMPARE(front.screenX, 200.0f);
        QCOMPARE(front.screenY, 150.0f);
        const sphere::Projection right = sphere::project({1, 0, 0}, 0, 0, 100, 400, 300);
        QCOMPARE(right.depth, 0.0f);
        QCOMPARE(right.scale, 1.0f);
        QCOMPARE(right.screenX, 300.0f);
    }

    void testZeroSizedWidgetSkipsTheLayoutUntilResized()
    {
        QWidget parent;
        parent.resize(300, 300);
        auto* cloud = new SphereTagCloud(&parent);
        cloud->setGeometry(0, 0, 0, 0);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        cloud->addTag(QStringLiteral("垃圾文件"));
        QCOMPARE(cloud->radius(), 0.0f);
        QCOMPARE(length(cloud->tagAt(0).base), 0.0f);
        cloud->rotateStep();
        QCOMPARE(length(cloud->tagAt(0).base), 0.0f);
        cloud->resize(200, 100);
        QCOMPARE(cloud->radius(), 40.0f);
        QVERIFY(std::abs(length(cloud->tagAt(0).base) - 1.0f) < 1e-5f);
    }

    void testAddingATagSpreadsAllTagsAgain()
    {
        SphereTagCloud cloud;
        showAt(cloud, 300, 300);
        cloud.addTag(QStringLiteral("a"));
        cloud.addTag(QStringLiteral("b"));
        cloud.addTag(QStringLiteral("c"));
        const QVector<sphere::Point> expected = sphere::spread(3);
        for (int i = 0; i < 3; ++i)
            QVERIFY(distance(cloud.tagAt(i).base, expected[i]) < 1e-6f);
        QCOMPARE(cloud.tagAt(2).state, 0);
    }

    void testTurningMovesTheWordsAsOneRigidSphere()
    {
        SphereTagCloud cloud;
        showAt(cloud, 380, 380);
        for (int i = 0; i < 20; ++i)
            cloud.addTag(QString::number(i));
        const QVector<sphere::Point> start = sphere::spread(20);
        for (int tick = 0; tick < 400; ++tick)
            cloud.rotateStep();
        for (int i = 0; i < 20; ++i) {
            // The base place never changes; only the projection follows the angles.
            QVERIFY(distance(cloud.tagAt(i).base, start[i]) < 1e-6f);
            const sphere::Projection p =
                sphere::project(start[i], cloud.angleA(), cloud.angleB(), cloud.radius(), 380, 380);
            QVERIFY(std::abs(cloud.tagAt(i).depth - p.depth) < 1e-5f);
            QVERIFY(std::abs(cloud.tagAt(i).screenX - p.screenX) < 1e-3f);
            QVERIFY(std::abs(cloud.tagAt(i).screenY - p.screenY) < 1e-3f);
        }
    }

    void testIndicesKeepNamingTheSameWordWhilePaintingGoesBackToFront()
    {
        SphereTagCloud cloud;
        showAt(cloud, 380, 380);
        const QStringList words = {QStringLiteral("垃圾文件"), QStringLiteral("临时文件"), QStringLiteral("上网垃圾"),
                                   QStringLiteral("更新缓存"), QStringLiteral("图片缓存")};
        for (const QString& word : words)
            cloud.addTag(word);
        for (int tick = 0; tick < 123; ++tick)
            cloud.rotateStep();
        for (int i = 0; i < words.size(); ++i)
            QCOMPARE(cloud.tagAt(i).text, words[i]);
        const QVector<int>& order = cloud.paintOrder();
        QCOMPARE(order.size(), words.size());
        for (int i = 1; i < order.size(); ++i)
            QVERIFY(cloud.tagAt(order[i - 1]).depth <= cloud.tagAt(order[i]).depth);
    }

    void testEmptyCloudStillTicks()
    {
        SphereTagCloud cloud;
        showAt(cloud, 100, 100);
        cloud.rotateStep();
        QCOMPARE(cloud.tagCount(), 0);
        QVERIFY(cloud.paintOrder().isEmpty());
        QCOMPARE(cloud.angleA(), SphereTagCloud::kStepA);
    }

    void testResetPutsEveryTagBackToPending()
    {
        SphereTagCloud cloud;
        cloud.addTag(QStringLiteral("a"));
        cloud.addTag(QStringLiteral("b"));
        cloud.tagAt(0).state = 3;
        cloud.tagAt(1).state = 1;
        cloud.resetStates();
        QCOMPARE(cloud.tagAt(0).state, 0);
        QCOMPARE(cloud.tagAt(1).state, 0);
    }

    void testStateColours_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QColor>("colour");
        QTest::addRow("pending") << 0 << QColor(150, 150, 150);
        QTest::addRow("running") << 1 << QColor(234, 67, 53);
        QTest::addRow("just finished") << 2 << QColor(251, 140, 0);
        QTest::addRow("finished") << 3 << QColor(52, 168, 83);
        QTest::addRow("unknown") << 7 << QColor();
    }

    void testStateColours()
    {
        QFETCH(int, state);
        QFETCH(QColor, colour);
        QCOMPARE(SphereTagCloud::stateColor(state), colour);
    }

    void testCloudIgnoresTheMouse()
    {
        SphereTagCloud cloud;
        QVERIFY(cloud.testAttribute(Qt::WA_TransparentForMouseEvents));
    }
};

QTEST_MAIN(TestSphereTagCloud)
#include "TestSphereTagCloud.moc"
