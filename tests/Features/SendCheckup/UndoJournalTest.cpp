#include "Features/SendCheckup/UndoJournal.h"
#include "Platform/Trash.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

namespace {

bool present(const fs::path &p)
{
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0;
}

std::vector<std::string> namesIn(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().native());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(UndoJournal, EmptyJournalTouchesNothing)
{
    const auto result = UndoJournal().undo();
    EXPECT_EQ(result.restored, 0);
    EXPECT_EQ(result.failed, 0);
}

TEST(UndoJournal, RenamesAreReversedLastFirst)
{
    TempDir dir;
    dir.file("C", "data");
    const UndoJournal journal(
        {UndoJournal::renamed(dir / "A", dir / "B"), UndoJournal::renamed(dir / "B", dir / "C")});
    const auto result = journal.undo();
    EXPECT_EQ(result.restored, 2);
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"A"});
}

TEST(UndoJournal, RenameBackOntoATakenNameFailsAndLeavesBoth)
{
    TempDir dir;
    dir.file("X", "someone else");
    dir.file("Y", "ours");
    const auto result = UndoJournal({UndoJournal::renamed(dir / "X", dir / "Y")}).undo();
    EXPECT_EQ(result.restored, 0);
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(result.reversed, std::vector<bool>{false});
    EXPECT_EQ(TestSupport::readBytes(dir / "X"), "someone else");
    EXPECT_EQ(TestSupport::readBytes(dir / "Y"), "ours");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"X", "Y"})); // no hidden temporary left
}

TEST(UndoJournal, ARenameIsReversedOnlyForTheEntryItMoved)
{
    TempDir dir;
    dir.file("Y", "ours");
    const UndoJournal journal({UndoJournal::renamed(dir / "X", dir / "Y")}); // recorded right after the move
    fs::rename(dir / "Y", dir / "moved on");
    dir.file("Y", "someone else's, under the new name");
    const auto result = journal.undo();
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"Y", "moved on"}));
    EXPECT_EQ(TestSupport::readBytes(dir / "Y"), "someone else's, under the new name");
}

TEST(UndoJournal, NfcAndNfdNamesAreTwoEntriesHere)
{
    TempDir dir;
    const std::string nfd = "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB"; // 한 decomposed
    const std::string nfc = "\xED\x95\x9C";
    dir.file(nfc, "renamed to NFC");
    const auto result = UndoJournal({UndoJournal::renamed(dir / nfd, dir / nfc)}).undo();
    EXPECT_EQ(result.restored, 1);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{nfd});
}

TEST(UndoJournal, TrashedItemComesBackUnlessItsPlaceIsTakenOrItIsGone)
{
    TempDir dir;
    const auto back = dir.file("back.txt", "1");
    const auto taken = dir.file("taken.txt", "2");
    const auto emptied = dir.file("emptied.txt", "3");
    Trash &trash = Trash::shared();
    const auto backTrash = trash.moveToTrash(back);
    const auto takenTrash = trash.moveToTrash(taken);
    const auto emptiedTrash = trash.moveToTrash(emptied);
    dir.file("taken.txt", "new file");
    fs::remove(emptiedTrash);

    const UndoJournal journal({UndoJournal::trashed(back, backTrash), UndoJournal::trashed(taken, takenTrash),
                               UndoJournal::trashed(emptied, emptiedTrash)});
    const auto result = journal.undo();
    EXPECT_EQ(result.restored, 1);
    EXPECT_EQ(result.failed, 2);
    EXPECT_EQ(result.reversed, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(TestSupport::readBytes(back), "1");
    EXPECT_EQ(TestSupport::readBytes(taken), "new file");
    EXPECT_TRUE(present(takenTrash));
    // The restored item's .trashinfo went with it.
    const auto info =
        backTrash.parent_path().parent_path() / "info" / (backTrash.filename().native() + ".trashinfo");
    EXPECT_FALSE(present(info));
}

TEST(UndoJournal, OnlyTheTrashedItemComesBackNotAnotherUnderItsNameInTheTrash)
{
    TempDir dir;
    const auto junk = dir.file(".DS_Store", "ours");
    const auto inTrash = Trash::shared().moveToTrash(junk);
    const UndoJournal journal({UndoJournal::trashed(junk, inTrash)});
    // The Trash is emptied, and another file thrown away gets the same place there.
    fs::rename(inTrash, dir / "emptied");
    TestSupport::writeBytes(inTrash, "someone else's");

    EXPECT_EQ(journal.undo().failed, 1);
    EXPECT_FALSE(present(junk));
    EXPECT_EQ(TestSupport::readBytes(inTrash), "someone else's");
}

TEST(UndoJournal, CreatedFileIsTrashedOnlyWhenItIsTheOneWritten)
{
    TempDir dir;
    const auto ours = dir.file("ours.jpg", "jpeg");
    const auto deleted = dir.file("deleted.jpg", "jpeg");
    const auto replaced = dir.file("replaced.jpg", "jpeg");
    const auto folder = dir.folder("moved");
    const auto inMoved = dir.file("moved/x.jpg", "jpeg");
    const UndoJournal journal({UndoJournal::created(ours), UndoJournal::created(deleted),
                               UndoJournal::created(replaced), UndoJournal::created(inMoved)});
    fs::remove(deleted);
    fs::remove(replaced);
    dir.file("replaced.jpg", "the user's own file");
    fs::remove(inMoved);
    fs::rename(folder, dir / "moved away");
    fs::create_directory(folder); // a different folder under the recorded name

    const auto result = journal.undo();
    EXPECT_EQ(result.reversed, (std::vector<bool>{true, true, false, false}));
    EXPECT_FALSE(present(ours));
    EXPECT_EQ(TestSupport::readBytes(replaced), "the user's own file");
}
