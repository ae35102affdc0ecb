#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "app/RecoveryKeeper.h"
#include "document/Recovery.h"
#include "shell/Startup.h"

namespace {
namespace fs = std::filesystem;

TEST(EditorRecovery, UnsavedChangesAreKeptAndOfferedAtTheNextStart) {
    fs::path data;
    {
        Shell first;
        data = first.paths.dataFolder;
        RecoveryKeeper keeper(*first.state);
        keeper.saveIfModified();
        EXPECT_FALSE(tavolex::FindRecovery(data)) << "nothing unsaved, nothing kept";
        first.state->carSet().teams[2].teamName = "Unsaved";
        tavolex::MarkModified(first.state->carSet(), "Team name");
        keeper.saveIfModified(); // what the timer and a terminating signal do
        ASSERT_TRUE(tavolex::FindRecovery(data));

        // The next start finds the file in its data folder: No deletes it.
        Shell second;
        const fs::path next = second.paths.dataFolder;
        auto carOver = [&] {
            for (const char* name : {"recovery.GP3", "recovery.ini"}) {
                fs::copy_file(data / name, next / name, fs::copy_options::overwrite_existing);
            }
        };
        carOver();
        MainWindow& window = *second.window;
        second.ui->answers.push_back(UiServices::Answer::No);
        OfferRecovery(*second.state, *second.ui, window);
        EXPECT_TRUE(second.ui->questions.value(0).startsWith("Recover the unsaved car set from "));
        EXPECT_FALSE(tavolex::FindRecovery(next));

        // Accepted: the car set comes back untitled and modified.
        carOver();
        second.ui->answers.push_back(UiServices::Answer::Yes);
        OfferRecovery(*second.state, *second.ui, window);
        const tavolex::CarSet& recovered = second.state->carSet();
        EXPECT_EQ(recovered.teams[2].teamName.view(), "Unsaved");
        EXPECT_TRUE(recovered.modified);
        EXPECT_TRUE(recovered.untitled());
        EXPECT_EQ(window.windowTitle(), "Tavolex v1.10 - [ ..... ]*");
        EXPECT_FALSE(window.action("save")->isEnabled()) << "Save asks where, as for any untitled car set";
        keeper.discard();
        EXPECT_FALSE(tavolex::FindRecovery(data));
    }
}

} // namespace
