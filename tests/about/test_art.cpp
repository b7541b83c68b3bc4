#include "resources/resources.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>

// The pictures compiled into the program: each one listed, valid and drawing something.
class TestArt : public QObject {
    Q_OBJECT

    // Pixels that are not transparent, out of all.
    static double coverage(const QImage& image) {
        qsizetype painted = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 0)
                    ++painted;
        return double(painted) / double(image.width() * image.height());
    }

private Q_SLOTS:
    void initTestCase() { initResources(); }

    void everyPictureIsListedOnce() {
        QSet<QString> compiled;
        for (const char* folder : {":/icons", ":/images"}) {
            QDirIterator it(QString::fromLatin1(folder), QDir::Files);
            while (it.hasNext())
                compiled.insert(it.next());
        }
        QSet<QString> listed;
        for (const char* path : art::kAll)
            listed.insert(QString::fromLatin1(path));
        QCOMPARE(listed.size(), int(std::size(art::kAll)));
        QCOMPARE(compiled, listed);
    }

    void picturesDraw_data() {
        QTest::addColumn<QString>("path");
        for (const char* path : art::kAll)
            QTest::newRow(path) << QString::fromLatin1(path);
    }
    void picturesDraw() {
        QFETCH(QString, path);
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        const bool square = renderer.defaultSize() == QSize(32, 32);
        if (path.startsWith(QLatin1String(":/icons/")))
            QVERIFY2(square && renderer.viewBox() == QRect(0, 0, 32, 32), "icons are drawn on 32 by 32");

        // Drawn at its own size it covers a fair part of its square, not a stray dot nor the whole of it
        // unless it is a picture with a background.
        const QPixmap pixmap = art::picture(path.toLatin1().constData());
        QCOMPARE(pixmap.size(), renderer.defaultSize());
        const double covered = coverage(pixmap.toImage());
        QVERIFY2(covered > 0.08, qPrintable(QString::number(covered)));

        const QIcon icon(path);
        QVERIFY(!icon.isNull());
        const QImage small = icon.pixmap(QSize(16, 16)).toImage();
        QVERIFY(!small.isNull());
        QVERIFY(coverage(small) > 0.05);
    }

    void bannerIsDarkWithTheTitle() {
        QSvgRenderer renderer(QString::fromLatin1(art::kBanner));
        QCOMPARE(renderer.defaultSize(), QSize(800, 120));
        const QImage banner = art::picture(art::kBanner).toImage();
        // The window's colour RGB(28, 31, 40) fills the space between the ornaments.
        QCOMPARE(QColor(banner.pixel(200, 20)), QColor(28, 31, 40));
        // The title stands in the middle in a light colour.
        int light = 0;
        for (int x = 250; x < 550; ++x)
            for (int y = 45; y < 80; ++y)
                if (qGray(banner.pixel(x, y)) > 180)
                    ++light;
        QVERIFY2(light > 500, qPrintable(QString::number(light)));
    }

    void handCursorIsThePointingHand() {
        const QCursor cursor = art::handCursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
        QCOMPARE(cursor.hotSpot(), QPoint(11, 3));
        // The hot spot lies on the finger's outline.
        bool nearFinger = false;
        const QImage image = cursor.pixmap().toImage();
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                nearFinger |= qAlpha(image.pixel(11 + dx, 3 + dy)) > 0;
        QVERIFY(nearFinger);
    }
};

QTEST_MAIN(TestArt)
#include "test_art.moc"
