#include <gtest/gtest.h>

#include "EditorTestSupport.h"

using ed::Input;
using ed::ScriptLine;

TEST(ScriptLine, SplitsWordsQuotedTextsAndComments) {
    std::wstring error;
    auto line = ScriptLine::Parse(L"  click \"&Insert \"\"now\"\"\"  # press it", &error);
    ASSERT_TRUE(line);
    ASSERT_EQ(line->Size(), 2u);
    EXPECT_EQ(line->Verb(), L"CLICK");
    EXPECT_TRUE(line->Is(0, L"Click"));
    EXPECT_TRUE((*line)[1].quoted);
    EXPECT_EQ((*line)[1].text, L"&Insert \"now\"");
    EXPECT_EQ(line->Text(), L"click \"&Insert \"\"now\"\"\"");

    EXPECT_TRUE(ScriptLine::Parse(L"   # only a comment", nullptr)->IsCommentOnly());
    auto empty = ScriptLine::Parse(L"   ", nullptr);
    EXPECT_TRUE(empty->IsEmpty());
    EXPECT_FALSE(empty->IsCommentOnly()); // an empty line is an answer (it ends a selection)
    EXPECT_FALSE(ScriptLine::Parse(L"TYPE \"open", &error));
    EXPECT_NE(error.find(L"not closed"), std::wstring::npos);
}

TEST(ScriptLine, ReadsPointsAndPlainNumbersOnly) {
    auto p = ed::ParsePoint(L"-1.5,2e1");
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(p->x, -1.5);
    EXPECT_DOUBLE_EQ(p->y, 20);
    EXPECT_DOUBLE_EQ(p->z, 0);
    EXPECT_DOUBLE_EQ(ed::ParsePoint(L"1,2,3")->z, 3);
    for (const wchar_t* bad : {L"1", L"1,2,3,4", L"1,,2", L"0x10,1", L"inf,1", L"1,2 ", L"a,b"})
        EXPECT_FALSE(ed::ParsePoint(bad)) << bad;
}

TEST(EditorInput, HandsOutLinesAndStopsWithTheAwaitedPromptAtTheEnd) {
    EditorRun run({L"# header", L"ZRBOMC", L"", L"ALL"});
    auto command = Input().AwaitCommand();
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Verb(), L"ZRBOMC");
    auto empty = Input().Await(L"Select objects");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->IsEmpty());
    EXPECT_TRUE(Input().Await(L"Select objects"));
    EXPECT_FALSE(Input().Stopped());

    EXPECT_FALSE(Input().Await(L"\nSelect objects: "));
    EXPECT_EQ(Input().ExitCode(), ed::kExitInputEnded);
    EXPECT_EQ(Input().StopMessage(), L"input ended while waiting for: Select objects:");
    // Once stopped, nothing more is read and every wait is answered at once.
    EXPECT_FALSE(Input().Await(L"anything"));
    EXPECT_FALSE(Input().AwaitCommand());
    EXPECT_EQ(Input().ExitCode(), ed::kExitInputEnded);
    EXPECT_NE(run.out.str().find("Command: ZRBOMC"), std::string::npos);
}

TEST(EditorInput, EndOfInputAtTheCommandPromptIsTheNormalEnd) {
    EditorRun run({L"ZRBOMT"});
    EXPECT_TRUE(Input().AwaitCommand());
    EXPECT_FALSE(Input().AwaitCommand());
    EXPECT_FALSE(Input().Stopped());
    EXPECT_EQ(Input().ExitCode(), ed::kExitOk);
    // Whatever waits after that gets no answer, and the run ends with 4.
    EXPECT_FALSE(Input().Await(L"Select objects"));
    EXPECT_EQ(Input().ExitCode(), ed::kExitInputEnded);
}

TEST(EditorInput, ExpectAlertMatchesAlertsShownSinceTheLastCheck) {
    EditorRun run({L"EXPECT ALERT \"File a.prc could  not be opened\"", L"NEXT",
                   L"EXPECT ALERT \"File a.prc could  not be opened\""});
    Input().Alert(L"\nFirst");
    Input().Alert(L"File a.prc could  not be opened");
    auto line = Input().Await(L"Command");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Verb(), L"NEXT");
    EXPECT_TRUE(Input().PendingAlerts().empty());
    EXPECT_NE(run.err.str().find("ALERT: First\n"), std::string::npos);
    // The same alert is not matched twice.
    EXPECT_FALSE(Input().Await(L"Command"));
    EXPECT_EQ(Input().ExitCode(), ed::kExitExpectFailed);
    EXPECT_NE(Input().StopMessage().find(L"test:3"), std::wstring::npos);
}

TEST(EditorInput, AnyMomentVerbsGoToTheWindowingHandlerOrAreRefused) {
    {
        EditorRun run({L"WAIT 200", L"SHOT template", L"ANSWER"});
        std::vector<std::wstring> handled;
        Input().SetVerbHandler([&](const ScriptLine& line, std::wstring&) {
            handled.push_back(line.Text());
            return ed::VerbOutcome::Done;
        });
        auto line = Input().Await(L"point");
        ASSERT_TRUE(line);
        EXPECT_EQ(line->Verb(), L"ANSWER");
        EXPECT_EQ(handled, (std::vector<std::wstring>{L"WAIT 200", L"SHOT template"}));
    }
    {
        EditorRun run({L"EXPECT DIALOG \"BOM Report\""});
        Input().SetVerbHandler([](const ScriptLine&, std::wstring& message) {
            message = L"no dialog is open";
            return ed::VerbOutcome::Failed;
        });
        EXPECT_FALSE(Input().Await(L"Command"));
        EXPECT_EQ(Input().ExitCode(), ed::kExitExpectFailed);
        EXPECT_EQ(Input().StopMessage(), L"test:1: no dialog is open");
    }
    {
        EditorRun run({L"WAIT 10", L"SHOT x"});
        EXPECT_FALSE(Input().Await(L"Command"));
        EXPECT_EQ(Input().ExitCode(), ed::kExitBadInput);
        EXPECT_NE(Input().StopMessage().find(L"not available"), std::wstring::npos);
    }
    {
        EditorRun run({L"WAIT soon"});
        EXPECT_FALSE(Input().Await(L"Command"));
        EXPECT_EQ(Input().ExitCode(), ed::kExitBadInput);
    }
}
