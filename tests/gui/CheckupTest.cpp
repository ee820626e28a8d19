// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiTestSupport.h"

#include "canvas/Composition.h"
#include "checkup/Checkup.h"
#include "checkup/Report.h"
#include "patterns/Pattern.h"
#include "patterns/TestChoice.h"

#include <QClipboard>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QXmlStreamReader>

#include <array>
#include <cmath>
#include <optional>

namespace {

// How far apart two colours are in each channel.
std::array<int, 3> apart(QRgb a, QRgb b)
{
    return {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
        std::abs(qBlue(a) - qBlue(b))};
}

// Whether a pixel `d` away from a mark lies on its ring at `scale`.
bool onRing(QPoint d, int scale = 1)
{
    const int inner = CheckupCanvas::RingInner * scale, outer = CheckupCanvas::RingOuter * scale;
    const int d2 = d.x() * d.x() + d.y() * d.y();
    return d2 > inner * (inner + 1) && d2 <= outer * (outer + 1);
}

// Paints the rings of `marks` in `step`'s colour over its picture at `scale`,
// band by band as the canvas paints (bands of 16 rows), through `clip` unless it
// is empty; the pixels it gets wrong: on a ring but not one of two colours far
// from the picture under it, or touched though on no ring or marked.
int wrongRingPixels(
    const CheckupStep& step, const std::vector<Mark>& marks, int scale, const QRegion& clip)
{
    const QSize size(200, 100);
    const QRect area(0, 0, 100, 100);
    RasterCanvas canvas(size);
    TestRun run = findPattern(step.test)->start(canvas);
    runToCompletion(run);
    const QImage picture = canvas.raster().image();
    const QRgb colour = step.markColour;
    const QRgb opposite = qRgb(255 - qRed(colour), 255 - qGreen(colour), 255 - qBlue(colour));
    QImage shown = picture.copy();
    QPainter painter(&shown);
    if (!clip.isEmpty())
        painter.setClipRegion(clip);
    const Rings rings(marks, colour);
    const auto drawRings = [&](const QRect& band) { rings.draw(painter, canvas, band, scale); };
    composeInBands(painter, canvas, area, Qt::white, drawRings, 16 * 100 * 4);
    painter.end();
    int wrong = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QPoint p(x, y);
            const QRgb under = picture.pixel(p), ring = shown.pixel(p);
            const bool on = area.contains(p) && (clip.isEmpty() || clip.contains(p)) &&
                std::ranges::any_of(
                    marks, [&](const Mark& m) { return onRing(p - m.pixel, scale); }) &&
                std::ranges::none_of(marks, [&](const Mark& m) { return m.pixel == p; });
            wrong += on ? !((ring == colour || ring == opposite) &&
                              std::ranges::max(apart(ring, under)) >= CheckupCanvas::RingContrast)
                        : ring != under;
        }
    return wrong;
}

class CheckupTest : public testing::Test {
protected:
    void start(std::optional<QString> report = {})
    {
        checkup = std::make_unique<Checkup>(
            QCoreApplication::applicationDirPath(), nullptr, report, manualClocks(clock));
        QObject::connect(
            checkup.get(), &Checkup::ended, checkup.get(), [this](int s) { status = s; });
        checkup->setClock([this] { return now; });
        // Hints and the pointer go when the test lets their time pass.
        ASSERT_TRUE(canvas());
        holdTimer(canvas(), "hintTimer", CheckupCanvas::HintMs);
        holdTimer(canvas(), "cursorTimer", Form2::CursorHideMs);
    }
    CheckupCanvas* canvas() { return checkup->canvas(); }
    // A click marks only once the canvas has been active for a moment.
    void readyToMark()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return canvas()->isActiveWindow(); }));
        now += CheckupCanvas::ActivationMs * ms;
        ASSERT_TRUE(canvas()->takesMarks());
    }
    // The summary hears keys only after its first moments.
    SummaryWindow* summaryTakingKeys()
    {
        SummaryWindow* summary = checkup->summary();
        now += (SummaryWindow::DeafMs - 1) * ms;
        EXPECT_TRUE(summary && !summary->takesKeys());
        now += ms;
        EXPECT_TRUE(summary && summary->takesKeys());
        return summary;
    }
    void key(Qt::Key key) { QTest::keyClick(canvas(), key); }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(canvas(), button, {}, at);
    }
    QImage shown() { return shownPixels(canvas()); }
    // The marks of the `test`th test, as "x,y kind" in the order made.
    QStringList marks(int test)
    {
        QStringList marks;
        for (const Mark& m : checkup->marks()[test].marks)
            marks << QString::asprintf("%d,%d %s", m.pixel.x(), m.pixel.y(), markKindName(m.kind));
        return marks;
    }
    void drawingDone() { waitUntilDrawn(canvas()); }

    static constexpr std::int64_t ms = 1'000'000;
    std::int64_t now = 0; // the checkup's time
    std::unique_ptr<Checkup> checkup;
    QPointer<ManualClock> clock;
    std::optional<int> status;
};

// The report's page read as XML, which also proves it well formed; its
// embedded data, and its map.
QJsonObject readReport(const QByteArray& page, QImage* map = nullptr)
{
    QXmlStreamReader xml(page);
    QJsonObject data;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString src = xml.attributes().value("src").toString();
        if (map && xml.name() == QLatin1String("img"))
            *map = QImage::fromData(QByteArray::fromBase64(src.section(',', 1).toLatin1()), "PNG");
        if (xml.attributes().value("id") == QLatin1String("kijelzor-report"))
            data = QJsonDocument::fromJson(xml.readElementText().toUtf8()).object();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return data;
}

} // namespace

TEST_F(CheckupTest, KeysLeadThroughTheTestsInOrderWithTheirHints)
{
    start();
    std::string order;
    for (const CheckupStep& step : checkupTable()) {
        EXPECT_TRUE(testTitle(step.test)) << step.test;
        order += std::string(step.test) + ":" + markKindName(step.kind)[0] + " ";
    }
    EXPECT_EQ(order,
        "black:b white:d pure-red:s pure-green:s pure-blue:s gray:o light-gray:o black-level:o "
        "white-saturation:o gamma:o sharpness:o uniformity:o bleeding:o gray-columns:o "
        "gray-gradient:o dark-tones:b light-tones:d noise:o ghosting:o ");
    EXPECT_TRUE(canvas()->hintShown());
    // Each key a test on or back, and none back past the first.
    for (const auto& [k, at] :
        {std::pair(Qt::Key_Space, 1), {Qt::Key_Right, 2}, {Qt::Key_PageDown, 3},
            {Qt::Key_Return, 4}, {Qt::Key_Enter, 5}, {Qt::Key_Left, 4}, {Qt::Key_PageUp, 3},
            {Qt::Key_Backspace, 2}, {Qt::Key_Left, 1}, {Qt::Key_Left, 0}, {Qt::Key_Left, 0}}) {
        key(k);
        EXPECT_EQ(checkup->current(), at) << k;
    }
    // Any key hides the hint at once; F1 and H show and hide it.
    key(Qt::Key_Q);
    EXPECT_FALSE(canvas()->hintShown());
    key(Qt::Key_F1);
    EXPECT_TRUE(canvas()->hintShown());
    key(Qt::Key_H);
    EXPECT_FALSE(canvas()->hintShown());
    key(Qt::Key_Right); // a new test's hint goes by itself
    EXPECT_TRUE(canvas()->hintShown());
    EXPECT_EQ(canvas()->cursor().shape(), Qt::CrossCursor);
    runOut(canvas(), "hintTimer");
    EXPECT_FALSE(canvas()->hintShown());
    EXPECT_EQ(canvas()->cursor().shape(), Qt::CrossCursor);
    runOut(canvas(), "cursorTimer"); // two still seconds
    EXPECT_EQ(canvas()->cursor().shape(), Qt::BlankCursor);
    QTest::mouseMove(canvas(), {50, 50});
    EXPECT_EQ(canvas()->cursor().shape(), Qt::CrossCursor);
    key(Qt::Key_Escape);
    EXPECT_EQ(canvas(), nullptr);
    SummaryWindow* summary = checkup->summary();
    ASSERT_TRUE(summary && summary->isVisible());
    EXPECT_EQ(summary->windowTitle(), QString::fromUtf8("Kijelzor – ellenőrzés eredménye"));
    EXPECT_EQ(summary->savedLabel()->text(), QString::fromUtf8("Nincs mentve"));
    EXPECT_TRUE(summary->saveButton()->isDefault());
    // The checkup's keys pressed once too often, or held, end nothing.
    const auto noQuestion = [&] { return !question(); };
    QWidget* focus = summary->focusWidget();
    ASSERT_EQ(focus, summary->saveButton());
    for (Qt::Key k : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space})
        QTest::keyClick(focus, k);
    EXPECT_TRUE(noQuestion() && !summary->findChild<QFileDialog*>());
    ASSERT_TRUE(summaryTakingKeys());
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(focus, &held);
    EXPECT_TRUE(noQuestion());
    // Then Esc asks before the unsaved results go; Esc on the question is Mégse.
    QTest::keyClick(focus, Qt::Key_Escape);
    QMessageBox* box = question();
    ASSERT_TRUE(box);
    QStringList buttons;
    for (QAbstractButton* button : box->buttons())
        buttons << button->text();
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"Kilépés mentés nélkül", "Mentés…", "Mégse"}));
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor(noQuestion));
    EXPECT_FALSE(status);
    QTest::mouseClick(summary->closeButton(), Qt::LeftButton);
    press(question(), "Kilépés mentés nélkül");
    EXPECT_EQ(status, 0);
}

TEST_F(CheckupTest, EachTestDrawsAsFromItsTileAndTheHintNeverTouchesIt)
{
    start();
    readyToMark();
    for (const CheckupStep& step : checkupTable().first(checkupTable().size() - 1)) {
        drawingDone();
        const QImage expected = renderPicture(*findPattern(step.test), QSize(1024, 768));
        EXPECT_EQ(canvas()->canvas().raster().image(), expected) << step.test;
        ASSERT_TRUE(canvas()->hintShown());
        EXPECT_NE(shown(), expected) << step.test;
        key(Qt::Key_Q);
        EXPECT_EQ(shown(), expected) << step.test;
        key(Qt::Key_Right);
    }
    // The last test ends by itself after its six passes, and the summary
    // shows how its frames came.
    const int ticks = tickUntil([&] { return !canvas(); }, clock, 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return checkup->summary() != nullptr; }));
    const FrameRecord frames = checkup->summary()->record().frames;
    EXPECT_EQ(frames.shown, ticks);
    EXPECT_EQ(frames.missed, ticks / 10 * 2);
    EXPECT_EQ(frames.timing, TimingSource::X11Present);
    EXPECT_NEAR(*frames.measuredRefreshRate(), 60, 0.001);
    EXPECT_EQ(frames.pixelsPerFrame, 16);
}

TEST_F(CheckupTest, ClicksMarkPhysicalPixelsOverThePictureAndTheMarksStayWithTheirTest)
{
    start(); // black: a lit pixel
    readyToMark();
    click({200, 100});
    key(Qt::Key_Right); // white: dark pixels
    click({300, 200});
    click({305, 200});
    click({305, 200});
    drawingDone();
    EXPECT_EQ(marks(0), QStringList("200,100 bright"));
    EXPECT_EQ(marks(1), QStringList({"300,200 dark", "305,200 dark"}));
    // A ring around the pixel, which keeps the test's own colour.
    const QImage white = shown();
    EXPECT_EQ(white.pixel(300, 200), qRgb(255, 255, 255));
    EXPECT_EQ(white.pixel(300, 194), qRgb(255, 0, 255));
    EXPECT_EQ(canvas()->canvas().raster().image().pixel(300, 194), qRgb(255, 255, 255));
    // As Qt repaints a part, into an image of its own: all of it as shown,
    // half a ring's too, and nothing past it.
    const QRegion part = QRegion(290, 190, 10, 20) + QRegion(303, 195, 20, 10);
    QImage painted(100, 50, QImage::Format_RGB32);
    painted.fill(Qt::green);
    const QPoint at(7, 5), moved = at - part.boundingRect().topLeft();
    canvas()->render(&painted, at, part);
    ASSERT_EQ(painted.pixel(QPoint(293, 200) + moved), qRgb(255, 0, 255));
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x) {
            const QPoint p = QPoint(x, y) - moved;
            ASSERT_EQ(painted.pixel(x, y), part.contains(p) ? white.pixel(p) : qRgb(0, 255, 0))
                << x << "," << y;
        }
    // A right click takes the nearest mark within 10 pixels.
    click({320, 200}, Qt::RightButton);
    click({304, 201}, Qt::RightButton);
    EXPECT_EQ(marks(1), QStringList("300,200 dark"));
    key(Qt::Key_Left);
    drawingDone();
    EXPECT_EQ(shown().pixel(200, 106), qRgb(255, 0, 255));
    EXPECT_EQ(shown().pixel(300, 194), qRgb(0, 0, 0));
}

TEST(CheckupReport, TheMapRingsEachMarkWhereItIsOnTheScreenInItsKindsColour)
{
    using enum MarkKind;
    CheckupRecord record;
    record.screen.pixels = QSize(1000, 500); // drawn at 0.8, inside a 12-pixel border
    record.tests = {{"black", {{{0, 0}, Bright}, {{999, 499}, Dark}}},
        {"pure-red", {{{500, 100}, Subpixel}}}, {"gray", {{{100, 400}, Other}}}};
    const QImage map = markMap(record);
    ASSERT_EQ(map.width(), 824);
    ASSERT_GT(map.height(), 424);
    const auto near = [](QRgb a, QColor b) {
        const std::array<int, 3> off = apart(a, b.rgb());
        return off[0] + off[1] + off[2] < 60;
    };
    const std::pair<QPoint, QColor> rings[] = {{{0, 0}, QColor(0xc2, 0x41, 0x0c)},
        {{999, 499}, QColor(0x1d, 0x4e, 0xd8)}, {{500, 100}, QColor(0xa2, 0x1c, 0xaf)},
        {{100, 400}, QColor(0x15, 0x80, 0x3d)}};
    for (const auto& [pixel, colour] : rings) {
        const QPointF centre(12 + (pixel.x() + 0.5) * 0.8, 12 + (pixel.y() + 0.5) * 0.8);
        SCOPED_TRACE(std::to_string(pixel.x()) + "," + std::to_string(pixel.y()));
        // Five pixels out on every side, and not at the middle.
        for (const QPointF side : {QPointF(5, 0), QPointF(-5, 0), QPointF(0, 5), QPointF(0, -5)}) {
            const QPointF at = centre + side;
            EXPECT_TRUE(near(map.pixel(int(at.x()), int(at.y())), colour))
                << at.x() << "," << at.y();
        }
        EXPECT_FALSE(near(map.pixel(int(centre.x()), int(centre.y())), colour));
    }
}

// The page and its data from a record as the checkup leaves it, whatever its
// texts say.
TEST(CheckupReport, ThePageHoldsEveryMarkAsDataAndAsText)
{
    CheckupRecord record;
    record.date = QDateTime(QDate(2026, 12, 9), QTime(10, 30));
    record.screen = {
        QStringLiteral("B&O </script><b>\"x\""), "B&O", "", "SN <1>2", {1024, 768}, 60};
    record.note = QStringLiteral("</script><img src=x onerror=alert(1)>\nmásodik sor");
    for (const CheckupStep& step : checkupTable())
        record.tests.push_back({step.test, {}});
    record.tests[0] = {"black", {}, true, 0.34};
    record.tests[1] = {"white", {{{300, 200}, MarkKind::Dark}}, true, 2};
    QImage map;
    const QByteArray page = reportHtml(record);
    const QJsonObject report = readReport(page, &map);
    EXPECT_EQ(report["version"].toString(), KIJELZOR_VERSION);
    EXPECT_EQ(QDateTime::fromString(report["date"].toString(), Qt::ISODate), record.date);
    const QJsonObject screen = report["screen"].toObject();
    EXPECT_EQ(screen["name"].toString(), record.screen.name);
    EXPECT_EQ(screen["manufacturer"].toString(), "B&O");
    EXPECT_EQ(screen["serial"].toString(), "SN <1>2");
    EXPECT_EQ(QSize(screen["width"].toInt(), screen["height"].toInt()), QSize(1024, 768));
    EXPECT_EQ(report["note"].toString(), record.note);
    const QJsonArray tests = report["tests"].toArray();
    ASSERT_EQ(tests.size(), 19);
    for (qsizetype i = 0; i < tests.size(); ++i) {
        EXPECT_EQ(tests[i]["name"].toString(), checkupTable()[i].test);
        EXPECT_EQ(tests[i]["marks"].toArray().size(), i == 1);
        EXPECT_EQ(tests[i]["viewed"].toBool(), i < 2);
    }
    EXPECT_EQ(tests[0]["seconds"].toDouble(), 0.3);
    EXPECT_EQ(
        tests[1]["marks"][0].toObject(), (QJsonObject{{"x", 300}, {"y", 200}, {"kind", "dark"}}));
    EXPECT_EQ(report["defects"].toArray(),
        (QJsonArray{QJsonObject{
            {"x", 300}, {"y", 200}, {"kind", "dark"}, {"tests", QJsonArray{"white"}}}}));
    // The ghosting test was never shown: its frames say nothing.
    for (const QJsonValue& figure : report["frames"].toObject())
        EXPECT_TRUE(figure.isNull());
    EXPECT_EQ(report["frames"].toObject().size(), 7);
    EXPECT_FALSE(map.isNull());
    // Each test under its title, the one the checkup's hint gave it.
    const QString text = QString::fromUtf8(page);
    for (const char* part : {"<b>Nem nézte meg:</b> Tiszta piros, Tiszta zöld,",
             "<tr><td>Fehér háttér</td><td>2,0 mp</td><td>1</td></tr>", "<td>Szürke oszlopok</td>",
             "<h2>Utánhúzás</h2>", "<tr><td>Megjelenített képkocka</td><td>–</td></tr>",
             "<tr><td>1</td><td>Fehér háttér</td>", "&lt;img src=x"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    EXPECT_EQ(reportFileName(record), "kijelzor-ellenorzes-2026-12-09.html");
}

// What is pasted is cut before it lands: Qt lays out what lands, and a
// megabyte would take minutes.
TEST(NoteEdit, AFullNoteTakesNoMoreAndAPastedMegabyteIsCutBeforeItLands)
{
    NoteEdit note;
    const QString full(NoteEdit::MaxLength, QLatin1Char('x'));
    note.setPlainText(full);
    QTest::keyClick(&note, Qt::Key_A);
    EXPECT_EQ(note.toPlainText(), full);
    note.clear();
    qsizetype largest = 0;
    QObject watching;
    QObject::connect(note.document(), &QTextDocument::contentsChange, &watching,
        [&](int, int, int added) { largest = std::max<qsizetype>(largest, added); });
    QGuiApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('y')));
    note.paste();
    QGuiApplication::clipboard()->clear();
    EXPECT_LE(largest, NoteEdit::MaxLength);
    EXPECT_EQ(note.toPlainText(), QString(NoteEdit::MaxLength, QLatin1Char('y')));
}

TEST_F(CheckupTest, AReportThatCannotBeWrittenIsSaidAndTheSummaryStaysToSaveIt)
{
    QTemporaryDir dir;
    start(dir.filePath("nincs/ilyen.html"));
    testing::internal::CaptureStderr();
    key(Qt::Key_Escape);
    const std::string said = "\n" + testing::internal::GetCapturedStderr(); // Qt's own lines too
    EXPECT_NE(said.find("\nkijelzor: cannot write the report to " +
                  dir.filePath("nincs/ilyen.html").toStdString() + ": No such file or directory\n"),
        std::string::npos)
        << said;
    SummaryWindow* summary = summaryTakingKeys();
    auto* box = summary->findChild<QMessageBox*>();
    ASSERT_TRUE(box && box->isVisible());
    EXPECT_TRUE(box->text().contains(dir.filePath("nincs/ilyen.html")));
    box->accept();
    QTest::mouseClick(summary->saveButton(), Qt::LeftButton);
    EXPECT_EQ(chooseFile(summary, dir.filePath("mentett.html")),
        QDir::home().filePath(reportFileName(summary->record())));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList("mentett.html"));
    EXPECT_TRUE(summary->savedLabel()->text().contains("mentett.html"));
    // What is typed after saving is unsaved again: closing asks, and its
    // Mentés… saves, then ends. (The command line's file is tried again
    // first, and fails again.) A key pressed in the summary repeats as it is
    // held, unlike one held from the checkup.
    summary->manufacturerEdit()->clear();
    QTest::keyClicks(summary->manufacturerEdit(), "B&O");
    NoteEdit* note = summary->noteEdit();
    note->insertPlainText(QStringLiteral("Vásárolva tegnapxx"));
    QTest::keyPress(note, Qt::Key_Backspace);
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(note, &held);
    QTest::keyRelease(note, Qt::Key_Backspace);
    summary->close();
    QMessageBox* failed = question();
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->icon(), QMessageBox::Warning);
    failed->accept();
    summary->close();
    ASSERT_TRUE(question() && question()->defaultButton());
    QTest::mouseClick(question()->defaultButton(), Qt::LeftButton);
    EXPECT_FALSE(status);
    chooseFile(summary, dir.filePath("mentett2.html"));
    QFile saved(dir.filePath("mentett2.html"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QJsonObject report = readReport(saved.readAll());
    EXPECT_EQ(report["screen"].toObject()["manufacturer"].toString(), "B&O");
    EXPECT_EQ(report["note"].toString(), "Vásárolva tegnap");
    EXPECT_EQ(status, 1); // the report asked for on the command line was not written
}

TEST_F(CheckupTest, AClickThatOnlyBringsTheCanvasBackMarksNothing)
{
    start();
    QWidget elsewhere; // a window on another monitor, say, takes the focus
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !canvas()->isActiveWindow(); }));
    click({100, 100});
    ASSERT_TRUE(QTest::qWaitFor([&] { return canvas()->isActiveWindow(); }));
    now += (CheckupCanvas::ActivationMs - 1) * ms; // a double click, say
    click({100, 100});
    EXPECT_EQ(marks(0), QStringList());
    now += ms;
    click({100, 100});
    EXPECT_EQ(marks(0), QStringList("100,100 bright"));
    key(Qt::Key_Right);
    EXPECT_EQ(checkup->marks()[0].seconds, CheckupCanvas::ActivationMs / 1000.0); // not rounded
}

using CheckupHiDpiTest = CheckupTest;

// Rings over every test's picture, at the desktop's scale of 1 and 2, drawn
// straight into the image the painter paints and through a clip (the crowd's
// rings cross the bands).
TEST(Rings, EveryRingIsWholePixelsThatStandOutAndNothingElseIsTouched)
{
    // Marks lying on each other's rings (7 below, 7 right, 5 and 5 off), one
    // whose ring the area cuts, one outside it, and a crowd whose rows overlap.
    std::vector<Mark> marks;
    for (QPoint p : {QPoint(50, 50), {50, 57}, {57, 50}, {45, 45}, {97, 20}, {150, 50}})
        marks.push_back({p, MarkKind::Bright});
    for (int i = 0; i < 40; ++i)
        marks.push_back({{10 + i * 37 % 80, 60 + i * 13 % 35}, MarkKind::Bright});
    const QRegion clip = QRegion(10, 55, 50, 30) + QRegion(70, 0, 20, 100);
    for (const CheckupStep& step : checkupTable().first(checkupTable().size() - 1))
        for (int scale : {1, 2})
            for (const QRegion& through : {QRegion(), clip}) {
                SCOPED_TRACE(std::string(step.test) + " at " + std::to_string(scale) +
                    (through.isEmpty() ? "" : ", clipped"));
                ASSERT_EQ(wrongRingPixels(step, marks, scale, through), 0);
            }
}

TEST_F(CheckupHiDpiTest, AMarkIsThePhysicalPixelUnderThePointer)
{
    start();
    readyToMark();
    const qreal ratio = canvas()->devicePixelRatioF();
    ASSERT_NE(ratio, 1.0);
    click({101, 51});
    const QPoint pixel(std::floor(101 * ratio), std::floor(51 * ratio));
    EXPECT_EQ(marks(0), QStringList(QString::asprintf("%d,%d bright", pixel.x(), pixel.y())));
    // Its ring as large to the eye as at a scale of 1: the rings' table has its shape.
    key(Qt::Key_Q);
    const int outer = CheckupCanvas::RingOuter * int(std::lround(ratio));
    EXPECT_EQ(shown().pixel(pixel + QPoint(outer, 0)), qRgb(255, 0, 255));
    EXPECT_EQ(shown().pixel(pixel + QPoint(outer + 1, 0)), qRgb(0, 0, 0));
}
