// The file dialog's filter text and path parts.
#include <gtest/gtest.h>

#include "widgets/file_dialog.h"

namespace {

using namespace std::string_literals;

TEST(FileDialogFilter, BarsBecomeNulsAndTheListEndsInTwo) {
    EXPECT_EQ(vh::DialogFilter(L"Profiles (*.k33)|*.k33|All Files (*.*)|*.*||"),
              L"Profiles (*.k33)\0*.k33\0All Files (*.*)\0*.*\0\0"s);
    // Callers that leave out one or both closing bars get the same list.
    EXPECT_EQ(vh::DialogFilter(L"Loadouts|*.vhl|"), L"Loadouts\0*.vhl\0\0"s);
    EXPECT_EQ(vh::DialogFilter(L"Loadouts|*.vhl"), L"Loadouts\0*.vhl\0\0"s);
    // Several patterns in one entry keep their ';'.
    EXPECT_EQ(vh::DialogFilter(L"Both|*.k31;*.k33||"), L"Both\0*.k31;*.k33\0\0"s);
    EXPECT_EQ(vh::DialogFilter(L""), L"");
}

TEST(FileDialogPath, NameAndExtensionComeFromTheLastComponentOnly) {
    EXPECT_EQ(vh::PathFileName(L"C:\\Users\\me\\Profiles\\flight.k33"), L"flight.k33");
    EXPECT_EQ(vh::PathFileName(L"C:/mixed\\sep/name.k31"), L"name.k31");
    EXPECT_EQ(vh::PathFileName(L"plain"), L"plain");
    EXPECT_EQ(vh::PathFileName(L"C:\\folder\\"), L"");

    EXPECT_EQ(vh::PathExtension(L"C:\\Profiles\\flight.k33"), L"k33");
    EXPECT_EQ(vh::PathExtension(L"C:\\Profiles\\archive.tar.gz"), L"gz");
    // A dot in a folder name is not the file's extension.
    EXPECT_EQ(vh::PathExtension(L"C:\\My.Profiles\\flight"), L"");
    EXPECT_EQ(vh::PathExtension(L"C:\\Profiles\\flight."), L"");
}

}  // namespace
