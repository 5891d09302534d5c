#include "browser/ui/drivelist.h"
#include "browser/ui/filelist.h"
#include "browser/ui/folderlist.h"
#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

using browser::ui::DriveList;
using browser::ui::FileList;
using browser::ui::FolderList;

namespace {

int errorOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const platform::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

} // namespace

TEST(FolderList, OpensOnlyFoldersAndTellsOnlyRealChanges) {
    QTemporaryDir scratch;
    QDir(scratch.path()).mkdir("sub");
    const std::string root = scratch.path().toStdString();
    FolderList list;
    QSignalSpy changes(&list, &FolderList::pathChanged);

    list.setPath(root);
    list.setPath(root + "/sub/..");
    EXPECT_EQ(list.path(), root);
    EXPECT_EQ(changes.count(), 1);

    for (const std::string& wrong : {std::string(), root + "/missing", root + "/sub/x/y"})
        EXPECT_EQ(errorOf([&] { list.setPath(wrong); }), platform::err::PathNotFound) << wrong;
    EXPECT_EQ(list.path(), root);
    EXPECT_EQ(changes.count(), 1);

    // The open folder's subfolders hang under it; activating one opens it.
    QTreeWidgetItem* open = list.currentItem();
    ASSERT_NE(open, nullptr);
    ASSERT_EQ(open->childCount(), 1);
    emit list.itemActivated(open->child(0), 0);
    EXPECT_EQ(list.path(), root + "/sub");
    EXPECT_EQ(changes.count(), 2);
}

TEST(FileList, KeepsTheSelectedNameWhileItIsListed) {
    QTemporaryDir scratch;
    for (const char* name : {"a.kar", "B.KAR", "c.mid"})
        QFile(QDir(scratch.path()).filePath(name)).open(QIODevice::WriteOnly);
    FileList list;
    QSignalSpy clicks(&list, &FileList::fileClicked);
    list.setPath(scratch.path().toStdString());
    list.setPattern("*.kar");
    ASSERT_EQ(list.count(), 2);

    list.setFileName("B.KAR");
    EXPECT_EQ(list.currentItem()->text(), "B.KAR");
    list.setPattern("*.kar;*.mid");
    EXPECT_EQ(list.fileName(), "B.KAR");
    list.setPattern("*.mid");
    EXPECT_EQ(list.fileName(), "") << "a name no longer listed is no longer selected";

    list.setFileName("gone.kar");
    EXPECT_EQ(list.fileName(), "gone.kar") << "a name set by code stands until the list changes";
    EXPECT_EQ(clicks.count(), 0) << "only the user's selection is a click";
    list.setCurrentRow(0);
    EXPECT_EQ(list.fileName(), "c.mid");
    EXPECT_EQ(clicks.count(), 1);
}

TEST(DriveList, ChoosesTheVolumeThatHoldsAPath) {
    DriveList list({{"/", "/"}, {"/home/ann", "Home"}, {"/media/ann/USB", "USB"}}, nullptr);
    QSignalSpy changes(&list, &DriveList::driveChanged);
    list.setDrive("/media/ann/USB/songs/a.kar");
    EXPECT_EQ(list.drive(), "/media/ann/USB");
    list.setDrive("/media/ann/USB");
    EXPECT_EQ(changes.count(), 1) << "the same volume again is no change";
    list.setDrive("/home/ann/songs");
    EXPECT_EQ(list.drive(), "/home/ann");
    EXPECT_EQ(errorOf([&] { list.setDrive(""); }), platform::err::PathNotFound);
    EXPECT_EQ(list.drive(), "/home/ann");
}
