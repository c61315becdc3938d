// The system pieces on their own: message box styles, the face lookup, the
// countdown's clock and the results file's place.
#include <gtest/gtest.h>

#include <array>

#include "app/win32/results_location.h"
#include "results/core/results_location.h"
#include "results/core/file_system.h"
#include "shared/win32/countdown_clock.h"
#include "shared/win32/design_fonts.h"
#include "shared/win32/message_boxes.h"

namespace tavri::test {
namespace {

using namespace tavri::win32;

TEST(MessageBoxes, StylesAndAnswersAsTheProgramAsks) {
  Message notice = Notice(MessageKind::Restart, "t", "a\rb");
  EXPECT_EQ(MessageBoxStyle(notice), static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
  Message question{MessageKind::ConfirmClear, "t", "q", MessageIcon::Question,
                   MessageButtons::OkCancel, 1};
  EXPECT_EQ(MessageBoxStyle(question), static_cast<UINT>(MB_ICONQUESTION | MB_OKCANCEL | MB_DEFBUTTON2));
  question.defaultButton = 0;
  EXPECT_EQ(MessageBoxStyle(question) & MB_DEFMASK, static_cast<UINT>(MB_DEFBUTTON1));
  EXPECT_EQ(AnswerOf(IDOK), MessageAnswer::Ok);
  EXPECT_EQ(AnswerOf(IDCANCEL), MessageAnswer::Cancel);
}

TEST(DesignFaces, TheFirstInstalledOneIsTakenAndTheFirstNamedWhenNoneIs) {
  const std::array<const wchar_t*, 3> withStandIn{L"No Such Face 1", L"No Such Face 2", L"IPAPGothic"};
  const std::array<const wchar_t*, 2> none{L"No Such Face 1", L"No Such Face 2"};
  EXPECT_EQ(FirstInstalledFace(withStandIn), L"IPAPGothic");
  EXPECT_EQ(FirstInstalledFace(none), L"No Such Face 1");
  // Here (Wine with the IPA fonts) a Japanese face is found.
  EXPECT_NE(DesignFace(), JapaneseFaceCandidates()[0]);
}

TEST(CountdownClock, TicksArriveInTheMessageLoopUntilStopped) {
  CountdownClock clock;
  int ticks = 0;
  clock.SetTickHandler([&] {
    if (++ticks == 3) clock.Stop();
  });
  clock.Start(5);
  const DWORD end = GetTickCount() + 5000;
  while (ticks < 3 && GetTickCount() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  EXPECT_EQ(ticks, 3);
}

TEST(ResultsLocation, BesideTheProgramWhenItsFolderCanBeWritten) {
  SystemFileSystem files;
  const std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(ResultsFilePath(files), JoinPath(folder, "tavri.rnk"));
  EXPECT_NE(UserDataFolder().find("tavri"), std::string::npos);
}

}  // namespace
}  // namespace tavri::test
