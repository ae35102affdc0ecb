#pragma once

#include <filesystem>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "document/CarSet.h"
#include "document/GraphicDeclarations.h"
#include "game/GraphicEnvironment.h"
#include "sample/SampleGame.h"

namespace tavolex::test {

// A suite that shares one sample game (making it is the slow part) and gives
// each test a fresh folder, a new car set and an environment on that game.
// `privateGame` copies the game into the test's folder first, for tests that
// patch it.
template <bool privateGame = false> class SampleGameSuite : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        game_ = new ScratchFolder;
        ASSERT_TRUE(Ok(MakeSampleGame(game_->path())));
    }
    static void TearDownTestSuite() {
        delete game_;
        game_ = nullptr;
    }
    void SetUp() override {
        std::filesystem::create_directories(folder / "tmp");
        std::filesystem::path game = game_->path();
        if (privateGame) {
            game = folder / "game";
            std::filesystem::copy(game_->path(), game, std::filesystem::copy_options::recursive);
        }
        environment = {folder / "tmp", game, folder / "data"};
        NewCarSet(carSet);
    }

    static inline ScratchFolder* game_ = nullptr;
    ScratchFolder folder;
    GraphicEnvironment environment;
    CarSet carSet;
};

} // namespace tavolex::test
