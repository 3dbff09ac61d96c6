// The send-checkup dashboard page: drops and the arrival question, the report's banners and cards,
// the action bars and the word of the day, on an offscreen screen.
#include "support/SaveShot.h"
#include "support/TestSupport.h"

#include "Core/AppInfo.h"
#include "Core/FilePath.h"
#include "Core/Router.h"
#include "Core/Settings.h"
#include "Core/TabOpener.h"
#include "Features/DailyWord/DailyWord.h"
#include "Features/DailyWord/DailyWordSetting.h"
#include "Features/SendCheckup/DashboardBarWidget.h"
#include "Features/SendCheckup/PrescriptionReportView.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "Features/SendCheckup/SendCheckupView.h"
#include "Platform/FileManager.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDragEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using PathList = std::vector<fs::path>;
using TestSupport::saveShot;

namespace {

const std::string nfdHangul = "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB\xE1\x84\x80\xE1\x85\xB3\xE1\x86\xAF";
const std::string nfcHangul = "\xED\x95\x9C\xEA\xB8\x80"; // 한글

class FakeViewer : public FileViewer {
public:
    void showItems(const PathList &items) override { calls.push_back(items); }
    std::vector<PathList> calls;
};

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Drags the files over the page and drops them, as a file manager would (raw URI bytes).
bool drop(QWidget &page, const PathList &files)
{
    QMimeData mime;
    QByteArray list;
    for (const auto &f : files)
        list += QByteArray::fromStdString(FilePath::toFileUrl(f)) + "\r\n";
    mime.setData(QStringLiteral("text/uri-list"), list);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&page, &enter);
    QDropEvent dropped(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&page, &dropped);
    settle();
    return enter.isAccepted() && dropped.isAccepted();
}

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}
QString tone(const QWidget *w)
{
    return w->property("tone").toString();
}
QAbstractButton *buttonNamed(QMessageBox *box, const QString &label)
{
    for (QAbstractButton *b : box->buttons())
        if (b->text() == label)
            return b;
    return nullptr;
}

class DashboardTest : public testing::Test {
protected:
    void SetUp() override
    {
        Router::shared().resetForTesting();
        FileViewer::install(&viewer);
        Settings::open()->remove(QLatin1String(DailyWordSetting::settingsKey));
        AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.0.0"));
    }
    void TearDown() override
    {
        view.reset();
        FileViewer::install(nullptr);
        TabOpener::shared().setOpenTab({});
        AppInfo::clearOverrides();
        Router::shared().resetForTesting();
    }

    SendCheckupView &page()
    {
        if (!view) {
            view = std::make_unique<SendCheckupView>(engine, session);
            view->setDailyWordSource(&words, [] { return QDate(2026, 1, 8); });
            view->resize(920, 620);
            view->show();
            settle();
        }
        return *view;
    }
    PrescriptionReportView &report() { return *page().report(); }
    DashboardBarWidget &bar() { return *report().bar(); }
    PrescriptionCardWidget &card(PrescriptionReportView::Card which) { return *report().card(which); }

    // A folder holding one of each kind the checkup finds except HEIC photos.
    fs::path mixedFolder(const std::string &name = "보낼것")
    {
        dir.file(name + "/" + nfdHangul + ".txt", "hangul");
        dir.file(name + "/.DS_Store", "junk");
        dir.file(name + "/a:b.txt", "name");
        return dir / name;
    }

    TestSupport::TempDir dir;
    DailyWordStore words{dir / "no-words.txt"};
    SendCheckupEngine engine;
    QUuid session = QUuid::createUuid();
    FakeViewer viewer;
    std::unique_ptr<SendCheckupView> view;
};

} // namespace

TEST_F(DashboardTest, ADropOnAnEmptyTabShowsTheReportWithoutAQuestion)
{
    // A name that is not UTF-8 (CP949 bytes) must reach the engine byte for byte.
    const fs::path odd = dir.folder("\xB0\xA1\xB3\xAA");
    const fs::path plain = dir.file("plain.txt", "x");
    EXPECT_FALSE(page().showsReport());
    EXPECT_TRUE(drop(page(), {odd, plain}));
    EXPECT_EQ(engine.roots(), (PathList{odd, plain}));
    EXPECT_TRUE(page().showsReport());
    EXPECT_EQ(page().arrivalQuestion(), nullptr);
    EXPECT_TRUE(engine.pendingArrival().empty());
    EXPECT_FALSE(page().isDropTargeted());

    // The hover tints the zone while it lasts; a drag without files is not taken.
    QMimeData files;
    files.setData(QStringLiteral("text/uri-list"), "file:///tmp\r\n");
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&page(), &enter);
    EXPECT_TRUE(page().isDropTargeted());
    QDragLeaveEvent leave;
    QApplication::sendEvent(&page(), &leave);
    EXPECT_FALSE(page().isDropTargeted());
    QMimeData words;
    words.setText(QStringLiteral("just text"));
    QDragEnterEvent textOnly(QPoint(20, 20), Qt::CopyAction, &words, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&page(), &textOnly);
    EXPECT_FALSE(textOnly.isAccepted());
    EXPECT_FALSE(page().isDropTargeted());

    // A drop without any local file is accepted and changes nothing.
    EXPECT_TRUE(drop(page(), {}));
    EXPECT_EQ(engine.roots().size(), 2u);
    EXPECT_EQ(page().arrivalQuestion(), nullptr);
}

TEST_F(DashboardTest, ThreeFilesArrivingAtATabHoldingTwoAskWhatToDo)
{
    const PathList held{dir.file("held/one.txt"), dir.file("held/two.txt")};
    const PathList arriving{dir.file("new/a.txt"), dir.file("new/b.txt"), dir.file("new/c.txt")};
    const struct {
        const char *answer; // a button's label, or nullptr for closing the question otherwise
        std::size_t rootsAfter;
        bool newTab;
    } cases[] = {
        {"이 탭에 추가", 5, false},
        {"새 탭에서 시작", 2, true},
        {"취소", 2, false},
        {nullptr, 2, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer ? c.answer : "closed");
        Router::shared().resetForTesting();
        std::optional<QUuid> opened;
        TabOpener::shared().setOpenTab([&](const QUuid &s) { opened = s; });
        engine.clear();
        engine.addURLs(held);
        EXPECT_TRUE(drop(page(), arriving));

        QMessageBox *box = page().arrivalQuestion();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->windowModality(), Qt::WindowModal);
        EXPECT_EQ(box->text(), text("파일 3개를 받았어요"));
        EXPECT_EQ(box->informativeText(), text("이 탭에는 이미 2개가 있어요. 어떻게 할까요?"));
        EXPECT_EQ(engine.pendingArrival(), arriving);

        if (c.answer) {
            QAbstractButton *button = buttonNamed(box, text(c.answer));
            ASSERT_NE(button, nullptr);
            button->click();
        } else {
            box->reject();
        }
        settle();
        EXPECT_TRUE(engine.pendingArrival().empty());
        EXPECT_EQ(page().arrivalQuestion(), nullptr);
        EXPECT_EQ(engine.roots().size(), c.rootsAfter);
        EXPECT_EQ(opened.has_value(), c.newTab);
        if (opened) {
            EXPECT_EQ(Router::shared().takeArrival(*opened), arriving);
        }
    }
}

TEST_F(DashboardTest, ArrivalsWhileTheQuestionIsOpenReplaceThePendingFiles)
{
    engine.addURLs({dir.file("held.txt")});
    page().arrive({dir.file("a.txt"), dir.file("b.txt")});
    ASSERT_NE(page().arrivalQuestion(), nullptr);
    EXPECT_EQ(page().arrivalQuestion()->text(), text("파일 2개를 받았어요"));
    QMessageBox *first = page().arrivalQuestion();

    // The router may leave files for the tab too; the question counts the newest list.
    engine.setPendingArrival({dir.file("c.txt"), dir.file("d.txt"), dir.file("e.txt"), dir.file("f.txt")});
    EXPECT_EQ(page().arrivalQuestion(), first);
    EXPECT_EQ(first->text(), text("파일 4개를 받았어요"));
    EXPECT_EQ(first->informativeText(), text("이 탭에는 이미 1개가 있어요. 어떻게 할까요?"));

    // Emptied elsewhere: the question goes without acting.
    engine.setPendingArrival({});
    settle();
    EXPECT_EQ(page().arrivalQuestion(), nullptr);
    EXPECT_EQ(engine.roots().size(), 1u);

    // A chooser that was cancelled changes nothing; a choice follows the arrival rule.
    page().setFilePicker([] { return std::nullopt; });
    page().pickFiles();
    EXPECT_TRUE(engine.pendingArrival().empty());
    const PathList chosen{dir.file("chosen.txt")};
    page().setFilePicker([&] { return chosen; });
    QTest::mouseClick(page().dropZone(), Qt::LeftButton);
    EXPECT_EQ(engine.pendingArrival(), chosen);
}

TEST_F(DashboardTest, CardStatusLinesFollowTheirRules)
{
    using State = PrescriptionCardWidget::State;
    const QString verb = text("변환");
    const struct {
        State state;
        const char *line;
        Tone tone;
        double opacity;
    } cases[] = {
        {{true, false, 0, 0, 0, {}, verb}, "문제 없음", Tone::secondary, 1.0},
        {{false, false, 0, 0, 0, {}, verb}, "문제 없음", Tone::secondary, 1.0},
        {{true, false, 5, 0, 0, {}, verb}, "변환 예정", Tone::orange, 1.0},
        {{false, false, 5, 0, 0, {}, verb}, "체크 해제됨 — 건너뜀", Tone::secondary, 0.55},
        {{true, true, 0, 3, 0, {}, verb}, "변환 3개 완료", Tone::green, 1.0},
        {{true, true, 1, 3, 1, {}, verb}, "변환 3개 · 실패 1개", Tone::red, 1.0},
        {{true, true, 0, 0, 2, {}, verb}, "변환 0개 · 실패 2개", Tone::red, 1.0},
        {{false, true, 4, 0, 0, {}, verb}, "체크 해제됨 — 건너뜀", Tone::secondary, 1.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        const auto line = PrescriptionCardWidget::statusLine(c.state);
        EXPECT_EQ(line.text, text(c.line));
        EXPECT_EQ(line.tone, c.tone);
        EXPECT_DOUBLE_EQ(PrescriptionCardWidget::opacityFor(c.state), c.opacity);
    }
    EXPECT_EQ(DashboardBarWidget::fixLabel(0), text("해결할 항목을 선택하세요"));
    EXPECT_EQ(DashboardBarWidget::fixLabel(2), text("선택한 2가지 한 번에 해결하기"));
}

TEST_F(DashboardTest, TheReportBeforeAndAfterTheFixPassAndItsUndo)
{
    const fs::path folder = mixedFolder();
    drop(page(), {folder});
    saveShot(page(), "dashboard-report");
    using C = PrescriptionReportView;

    // Before the pass: the diagnosis, counts, plans, and a kind with nothing found.
    EXPECT_TRUE(report().inferenceBanner()->isVisible());
    EXPECT_FALSE(report().doneBanner()->isVisible());
    EXPECT_EQ(report().inferenceIcon()->property("symbol").toString(), "lightbulb.fill");
    EXPECT_EQ(tone(report().inferenceIcon()), "yellow");
    EXPECT_EQ(report().inferenceMessage()->text(), engine.inferenceMessage());
    EXPECT_EQ(report().inferenceRoots()->fullText(), text("보낼것"));
    EXPECT_FALSE(report().undoResult()->isVisible());
    EXPECT_FALSE(report().unreadableWarning()->isVisible());
    const struct {
        C::Card card;
        const char *status;
        const char *count;
    } planned[] = {
        {C::hangulCard, "변환 예정", "1개"},
        {C::junkCard, "휴지통 이동 예정", "1개"},
        {C::namesCard, "이름 변경 예정", "1개"},
        {C::heicCard, "문제 없음", nullptr},
    };
    for (const auto &p : planned) {
        SCOPED_TRACE(p.status);
        PrescriptionCardWidget &c = card(p.card);
        EXPECT_EQ(c.statusLabel()->text(), text(p.status));
        EXPECT_EQ(c.countLabel()->isVisible(), p.count != nullptr);
        if (p.count) {
            EXPECT_EQ(c.countLabel()->text(), text(p.count));
        }
        EXPECT_TRUE(c.checkBox()->isVisible());
        EXPECT_EQ(c.checkBox()->isEnabled(), p.count != nullptr);
        EXPECT_EQ(tone(c.iconLabel()), p.count ? "orange" : "green");
    }
    EXPECT_TRUE(card(C::hangulCard).reasonLabel()->text().contains(*engine.hangul.brokenExample()));

    // Unticking: the card dims and says it is skipped; an unticked kind without findings stays bright.
    card(C::hangulCard).checkBox()->click();
    card(C::heicCard).checkBox()->setEnabled(true);
    card(C::heicCard).checkBox()->click();
    settle();
    EXPECT_FALSE(engine.fixHangul());
    EXPECT_FALSE(engine.fixHeic());
    saveShot(page(), "dashboard-unticked");
    EXPECT_DOUBLE_EQ(card(C::hangulCard).opacity(), 0.55);
    EXPECT_EQ(card(C::hangulCard).statusLabel()->text(), text("체크 해제됨 — 건너뜀"));
    EXPECT_DOUBLE_EQ(card(C::heicCard).opacity(), 1.0);
    EXPECT_EQ(bar().fixButton()->text(), text("선택한 2가지 한 번에 해결하기"));
    EXPECT_TRUE(bar().fixButton()->isEnabled());
    card(C::junkCard).checkBox()->click();
    card(C::namesCard).checkBox()->click();
    settle();
    EXPECT_EQ(bar().fixButton()->text(), text("해결할 항목을 선택하세요"));
    EXPECT_FALSE(bar().fixButton()->isEnabled());
    for (auto c : {C::hangulCard, C::junkCard, C::namesCard})
        card(c).checkBox()->click();
    engine.setFixHeic(true);
    settle();
    EXPECT_TRUE(engine.fixHangul() && engine.fixJunk() && engine.fixNames() && engine.fixHeic());
    EXPECT_EQ(bar().fixButton()->text(), text("선택한 3가지 한 번에 해결하기"));

    // The pass: done banner, outcomes, no checkboxes, the completion bar.
    bar().fixButton()->click();
    settle();
    saveShot(page(), "dashboard-fixed");
    EXPECT_TRUE(engine.isFixed());
    EXPECT_FALSE(report().inferenceBanner()->isVisible());
    EXPECT_TRUE(report().doneBanner()->isVisible());
    EXPECT_EQ(report().doneTitle()->text(), text("포르랑! 3개 항목을 해결했어요"));
    EXPECT_EQ(report().doneRoots()->fullText(), text("보낼것"));
    const struct {
        C::Card card;
        const char *status;
        Tone tone;
    } done[] = {
        {C::hangulCard, "변환 1개 완료", Tone::green},
        {C::junkCard, "휴지통 이동 1개 완료", Tone::green},
        {C::namesCard, "이름 변경 1개 완료", Tone::green},
        {C::heicCard, "문제 없음", Tone::secondary},
    };
    for (const auto &d : done) {
        SCOPED_TRACE(d.status);
        EXPECT_EQ(card(d.card).statusLabel()->text(), text(d.status));
        EXPECT_EQ(tone(card(d.card).statusLabel()), PageStyle::toneName(d.tone));
        EXPECT_FALSE(card(d.card).checkBox()->isVisible());
        EXPECT_FALSE(card(d.card).countLabel()->isVisible());
    }
    EXPECT_TRUE(bar().completionBar()->isVisible());
    EXPECT_FALSE(bar().dashboardBar()->isVisible());
    EXPECT_TRUE(bar().undoButton()->isEnabled());

    // Undo: the inference banner returns with the result beside the roots.
    bar().undoButton()->click();
    settle();
    saveShot(page(), "dashboard-undone");
    EXPECT_FALSE(engine.isFixed());
    EXPECT_TRUE(report().inferenceBanner()->isVisible());
    EXPECT_TRUE(bar().dashboardBar()->isVisible());
    EXPECT_TRUE(report().undoResult()->isVisible());
    EXPECT_EQ(report().undoResult()->text(), text("\u21A9\uFE0E 3개 항목을 원래대로 되돌렸어요"));
    EXPECT_EQ(tone(report().undoResult()), "blue");
    EXPECT_TRUE(fs::exists(folder / (nfdHangul + ".txt")));
    EXPECT_TRUE(fs::exists(folder / ".DS_Store"));
}

TEST_F(DashboardTest, FailedChangesShowInTheCardsTheBannerAndLeaveNothingToUndo)
{
    // The composed name is taken, so the rename of the decomposed one fails.
    dir.file("f/" + nfdHangul + ".txt", "decomposed");
    dir.file("f/" + nfcHangul + ".txt", "composed");
    drop(page(), {dir / "f"});
    ASSERT_EQ(engine.hangul.pendingCount(), 1);
    bar().fixButton()->click();
    settle();
    saveShot(page(), "dashboard-failed");
    EXPECT_EQ(card(PrescriptionReportView::hangulCard).statusLabel()->text(), text("변환 0개 · 실패 1개"));
    EXPECT_EQ(tone(card(PrescriptionReportView::hangulCard).statusLabel()), "red");
    EXPECT_EQ(report().doneTitle()->text(), text("포르랑! 0개 항목을 해결했어요 (1개 실패)"));
    EXPECT_FALSE(bar().undoButton()->isEnabled());
    for (QPushButton *b : {bar().shareButton(), bar().showButton(), bar().zipButton()})
        EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
}

TEST_F(DashboardTest, AnUndoThatCannotRestoreEverythingSaysSo)
{
    dir.file("g/" + nfdHangul + ".txt", "decomposed");
    drop(page(), {dir / "g"});
    bar().fixButton()->click();
    settle();
    ASSERT_TRUE(engine.isFixed());
    fs::remove(dir / "g" / (nfcHangul + ".txt")); // gone before the undo
    bar().undoButton()->click();
    settle();
    EXPECT_EQ(report().undoResult()->text(), text("\u21A9\uFE0E 0개 되돌림 · 1개 실패"));
    EXPECT_EQ(tone(report().undoResult()), "orange");
}

TEST_F(DashboardTest, SummariesAndTheSampleOfABrokenName)
{
    // A root whose own name is decomposed is listed composed; without a decomposed name pending the
    // Hangul card shows the fixed sample.
    dir.file(nfdHangul + "/.DS_Store", "junk");
    dir.file("b.txt", "plain");
    engine.addURLs({dir / nfdHangul, dir / "b.txt"});
    engine.hangul.clear();
    settle();
    EXPECT_EQ(report().inferenceRoots()->fullText(), text("한글, b.txt"));
    EXPECT_EQ(card(PrescriptionReportView::hangulCard).reasonLabel()->text(),
              text("글자가 분해된 이름 — Windows에서 ㅎㅏㄴㄱㅡㄹ처럼 깨져 보여요"));

    // Nothing at all to fix: no fix button, a note instead, the green seal.
    engine.clear();
    engine.addURLs({dir.file("clean/plain.txt")});
    settle();
    EXPECT_FALSE(bar().fixButton()->isVisible());
    EXPECT_TRUE(bar().nothingToFix()->isVisible());
    EXPECT_EQ(report().inferenceIcon()->property("symbol").toString(), "checkmark.seal.fill");
    EXPECT_EQ(tone(report().inferenceIcon()), "green");
}

TEST_F(DashboardTest, TheCompletionBarHandsTheFixedFilesOn)
{
    const fs::path folder = mixedFolder();
    const fs::path odd = dir.file("\xB0\xA1.txt", "cp949 name");
    drop(page(), {folder, odd});
    bar().fixButton()->click();
    settle();
    ASSERT_TRUE(engine.isFixed());
    const PathList roots = engine.roots();

    bar().zipButton()->click();
    EXPECT_EQ(Router::shared().takePendingUtility(session), Utility::zipKorean);
    EXPECT_EQ(Router::shared().takeZipHandoff(session), roots);
    EXPECT_TRUE(engine.isFixed());
    // Coming back to the home tool builds the page anew around the same engine: still completed.
    view.reset();
    EXPECT_TRUE(bar().completionBar()->isVisible());
    EXPECT_TRUE(report().doneBanner()->isVisible());

    bar().showButton()->click();
    ASSERT_EQ(viewer.calls.size(), 1u);
    EXPECT_EQ(viewer.calls[0], roots);

    bar().shareButton()->click();
    const QMimeData *shared = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(shared, nullptr);
    QByteArray uris;
    for (const auto &r : roots)
        uris += QByteArray::fromStdString(FilePath::toFileUrl(r)) + "\r\n";
    EXPECT_EQ(shared->data(QStringLiteral("text/uri-list")), uris);
    EXPECT_TRUE(uris.contains("%B0%A1.txt"));
    EXPECT_EQ(shared->data(QStringLiteral("x-special/gnome-copied-files")),
              "copy\n" + uris.replace("\r\n", "\n").chopped(1));

    bar().completionBar()->findChild<QPushButton *>(QStringLiteral("clear"))->click();
    settle();
    EXPECT_TRUE(engine.roots().empty());
    EXPECT_FALSE(page().showsReport());
}

TEST_F(DashboardTest, TheWordOfTheDayFollowsTheUserFileAndTheSetting)
{
    const auto file = dir.file("seven.txt", "첫째 말씀 | 가 1:1\n둘째\n셋째\n넷째\n다섯째\n여섯째\n일곱째\n");
    DailyWordStore seven(file);
    page().setDailyWordSource(&seven, [] { return QDate(2026, 1, 8); });
    settle();
    saveShot(page(), "dashboard-empty");
    EXPECT_TRUE(page().dailyWordCard()->isVisible());
    EXPECT_EQ(page().dailyWordText()->text(), text("첫째 말씀"));
    EXPECT_EQ(page().dailyWordSource()->text(), text("가 1:1"));

    page().setDailyWordSource(&seven, [] { return QDate(2026, 1, 9); });
    EXPECT_EQ(page().dailyWordText()->text(), text("둘째"));
    EXPECT_FALSE(page().dailyWordSource()->isVisible());

    // Too short a window shows no word rather than a squeezed one.
    page().resize(720, 400);
    settle();
    EXPECT_FALSE(page().dailyWordCard()->isVisible());
    page().resize(920, 620);
    settle();
    EXPECT_TRUE(page().dailyWordCard()->isVisible());

    DailyWordSetting::setHidden(true);
    page().refresh();
    settle();
    EXPECT_FALSE(page().dailyWordCard()->isVisible());
    AppInfo::setOverride(QStringLiteral("CFBundleShortVersionString"), QStringLiteral("1.1.0"));
    page().refresh();
    settle();
    EXPECT_TRUE(page().dailyWordCard()->isVisible());
}

TEST_F(DashboardTest, AStatusLineTakesItsOwnToneWhateverItShowedBefore)
{
    using State = PrescriptionCardWidget::State;
    const QString verb = text("변환");
    const State nothing{true, false, 0, 0, 0, {}, verb};
    PrescriptionCardWidget fresh(QStringLiteral("textformat"), text("카드"));
    fresh.display(nothing);
    const QColor secondary = fresh.statusLabel()->palette().color(QPalette::WindowText);
    EXPECT_EQ(secondary, PageStyle::color(Tone::secondary, fresh.palette()));

    // Each earlier line recoloured the label: planned (orange), done (green), failed (red), skipped.
    for (const State &before :
         {State{true, false, 5, 0, 0, {}, verb}, State{true, true, 0, 3, 0, {}, verb},
          State{true, true, 1, 3, 1, {}, verb}, State{false, false, 5, 0, 0, {}, verb}}) {
        PrescriptionCardWidget card(QStringLiteral("textformat"), text("카드"));
        card.display(before);
        card.display(nothing);
        SCOPED_TRACE(PrescriptionCardWidget::statusLine(before).text.toStdString());
        EXPECT_EQ(card.statusLabel()->text(), text("문제 없음"));
        EXPECT_EQ(card.statusLabel()->palette().color(QPalette::WindowText), secondary);
        EXPECT_EQ(card.statusLabel()->palette().color(QPalette::Text), secondary);
    }
}

TEST_F(DashboardTest, TheBannersShowTheDroppedNamesWholeWhileThereIsRoom)
{
    dir.file("보낼자료/" + nfdHangul + ".txt", "hangul");
    drop(page(), {dir / "보낼자료"});
    EXPECT_TRUE(report().inferenceRoots()->isVisible());
    EXPECT_EQ(report().inferenceRoots()->text(), text("보낼자료"));

    bar().fixButton()->click();
    settle();
    ASSERT_TRUE(report().doneBanner()->isVisible());
    EXPECT_EQ(report().doneRoots()->text(), text("보낼자료"));

    // Without the room the middle goes, and widening the page brings it back.
    bar().undoButton()->click();
    engine.clear();
    const std::string longName(120, 'a');
    dir.file("b" + longName + "z/x.txt", "x");
    drop(page(), {dir / ("b" + longName + "z")});
    const QString shown = report().inferenceRoots()->text();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(shown.startsWith('b') && shown.endsWith('z')) << shown.toStdString();
    page().resize(2400, 620);
    settle();
    EXPECT_EQ(report().inferenceRoots()->text(), report().inferenceRoots()->fullText());
}

TEST_F(DashboardTest, HidingTheWordInTheSettingsTakesItOffAnOpenPageAtOnce)
{
    const auto file = dir.file("words.txt", "첫째 말씀 | 가 1:1\n");
    DailyWordStore one(file);
    page().setDailyWordSource(&one, [] { return QDate(2026, 1, 8); });
    settle();
    ASSERT_TRUE(page().dailyWordCard()->isVisible());

    DailyWordSetting::setHidden(true);
    settle();
    EXPECT_FALSE(page().dailyWordCard()->isVisible());
    DailyWordSetting::setHidden(false);
    settle();
    EXPECT_TRUE(page().dailyWordCard()->isVisible());
    EXPECT_EQ(page().dailyWordText()->text(), text("첫째 말씀"));
}
