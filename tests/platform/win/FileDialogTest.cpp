#include "platform/win/WindowTestSupport.h"

#include "afxdlgs.h"
#include "win/objbase.h"
#include "win/shlobj.h"

namespace {

using namespace wintest;

class FileDialogs : public WindowTest {
protected:
    OPENFILENAME ofn(DWORD flags = 0, DWORD size = 260) {
        buffer_.assign(size, L'\0');
        OPENFILENAME o;
        o.lpstrFile = buffer_.data();
        o.nMaxFile = size;
        o.lpstrFilter = L"Text files (*.txt)\0*.txt\0All files\0*.*\0";
        o.lpstrTitle = L"Open template";
        o.lpstrInitialDir = L"c:\\lib\\Dialog Templates";
        o.lpstrDefExt = L"txt";
        o.Flags = flags;
        return o;
    }

    std::vector<wchar_t> buffer_;
};

TEST_F(FileDialogs, AnOpenDialogReturnsTheAnsweredPathAndIsRecorded) {
    winx::answerFileDialog({L"c:\\lib\\Dialog Templates\\brace"}, 2);
    OPENFILENAME o = ofn(OFN_FILEMUSTEXIST);
    ASSERT_TRUE(GetOpenFileName(&o));
    // The default extension is added to a name without one.
    EXPECT_STREQ(o.lpstrFile, L"c:\\lib\\Dialog Templates\\brace.txt");
    EXPECT_EQ(o.nFileOffset, 24);
    EXPECT_EQ(o.nFileExtension, 30);
    EXPECT_EQ(o.nFilterIndex, 2u);
    const auto records = winx::fileDialogs();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_FALSE(records[0].save);
    EXPECT_EQ(records[0].title, L"Open template");
    EXPECT_EQ(records[0].filter, L"Text files (*.txt)|*.txt|All files|*.*");
    EXPECT_EQ(records[0].initialFolder, L"c:\\lib\\Dialog Templates");
    EXPECT_EQ(records[0].defaultExtension, L"txt");
    EXPECT_EQ(records[0].flags, OFN_FILEMUSTEXIST);
    EXPECT_EQ(records[0].paths,
              (std::vector<std::wstring>{L"c:\\lib\\Dialog Templates\\brace.txt"}));
}

TEST_F(FileDialogs, CancelledAndUnansweredDialogsReturnFalse) {
    winx::cancelFileDialog();
    OPENFILENAME o = ofn();
    EXPECT_FALSE(GetSaveFileName(&o));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_TRUE(winx::unattended().empty());
    EXPECT_FALSE(GetSaveFileName(&o));
    const auto unattended = winx::unattended();
    ASSERT_EQ(unattended.size(), 1u);
    EXPECT_EQ(unattended[0].kind, winx::UnattendedRecord::Kind::FileDialog);
    EXPECT_EQ(unattended[0].caption, L"Open template");
    EXPECT_TRUE(winx::fileDialogs()[0].save);
}

TEST_F(FileDialogs, SeveralFilesComeAsAFolderAndNames) {
    winx::answerFileDialog({L"d:\\stock\\a.shp", L"d:\\stock\\b.shp"});
    OPENFILENAME o = ofn(OFN_ALLOWMULTISELECT | OFN_EXPLORER, 512);
    ASSERT_TRUE(GetOpenFileName(&o));
    const std::wstring raw(o.lpstrFile, 8 + 1 + 5 + 1 + 5 + 1 + 1);
    EXPECT_EQ(raw, std::wstring(L"d:\\stock\0a.shp\0b.shp\0\0", 22));
    EXPECT_EQ(o.nFileOffset, 9);
    // A single-choice dialog answered with several keeps the first and reports it.
    winx::answerFileDialog({L"x:\\one.txt", L"x:\\two.txt"});
    o = ofn();
    ASSERT_TRUE(GetOpenFileName(&o));
    EXPECT_STREQ(o.lpstrFile, L"x:\\one.txt");
    EXPECT_EQ(winx::problems().size(), 1u);
}

TEST_F(FileDialogs, ABufferTooSmallFailsWithTheNeededSize) {
    winx::answerFileDialog({L"c:\\a\\very_long_name.txt"});
    OPENFILENAME o = ofn(0, 8);
    EXPECT_FALSE(GetOpenFileName(&o));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    EXPECT_EQ(*reinterpret_cast<WORD*>(o.lpstrFile), 24); // 23 characters and the null
    OPENFILENAME wrong;
    wrong.lStructSize = 3;
    EXPECT_FALSE(GetOpenFileName(&wrong));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
    EXPECT_FALSE(GetOpenFileName(nullptr));
}

TEST_F(FileDialogs, TheClassLibrarysFileDialogSplitsTheChosenPath) {
    CFileDialog save(FALSE, L"kvs", L"bolts", OFN_OVERWRITEPROMPT,
                     L"Standards (*.kvs)|*.kvs|All files (*.*)|*.*||");
    save.m_ofn.lpstrTitle = L"Save standard";
    winx::answerFileDialog({L"c:\\lib\\Connection Standards\\bolts2"});
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), L"c:\\lib\\Connection Standards\\bolts2.kvs");
    EXPECT_EQ(save.GetFileName(), L"bolts2.kvs");
    EXPECT_EQ(save.GetFileExt(), L"kvs");
    EXPECT_EQ(save.GetFileTitle(), L"bolts2");
    EXPECT_EQ(save.GetFolderPath(), L"c:\\lib\\Connection Standards");
    const auto record = winx::fileDialogs().at(0);
    EXPECT_TRUE(record.save);
    EXPECT_EQ(record.title, L"Save standard");
    EXPECT_EQ(record.initialFile, L"bolts");
    EXPECT_EQ(record.filter, L"Standards (*.kvs)|*.kvs|All files (*.*)|*.*");

    CFileDialog open(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    winx::answerFileDialog({L"e:\\in\\1.dat", L"e:\\in\\2.dat", L"e:\\in\\3.dat"});
    ASSERT_EQ(open.DoModal(), IDOK);
    std::vector<std::wstring> all;
    for (POSITION pos = open.GetStartPosition(); pos;)
        all.push_back(open.GetNextPathName(pos));
    EXPECT_EQ(all,
              (std::vector<std::wstring>{L"e:\\in\\1.dat", L"e:\\in\\2.dat", L"e:\\in\\3.dat"}));

    CFileDialog nobody(TRUE);
    EXPECT_EQ(nobody.DoModal(), IDCANCEL);
    EXPECT_EQ(nobody.GetPathName(), L"");
    EXPECT_EQ(nobody.GetStartPosition(), nullptr);
}

TEST_F(FileDialogs, TheFolderBrowserReturnsAnItemListOfTheAnsweredFolder) {
    winx::answerFileDialog({L"c:\\lib\\Macros"});
    wchar_t display[260] = {};
    BROWSEINFO info;
    info.lpszTitle = L"Pick the macro folder";
    info.pszDisplayName = display;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST list = SHBrowseForFolder(&info);
    ASSERT_NE(list, nullptr);
    wchar_t path[260];
    ASSERT_TRUE(SHGetPathFromIDList(list, path));
    EXPECT_STREQ(path, L"c:\\lib\\Macros");
    EXPECT_STREQ(display, L"Macros");
    CoTaskMemFree(list);
    EXPECT_EQ(SHBrowseForFolder(&info), nullptr); // unanswered
    const auto records = winx::fileDialogs();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[0].folder);
    EXPECT_EQ(records[0].title, L"Pick the macro folder");
    EXPECT_TRUE(records[1].unattended);
}

} // namespace
