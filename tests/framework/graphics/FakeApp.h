#pragma once
// An application for drawing tests: the tools' picture application, recording every error
// popup instead of printing it.

#include "tools/PictureApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Tests {

class FakeApp : public Tools::PictureApp {
public:
    using PictureApp::PictureApp;

    void ShowErrorPopup(const std::string& text) override { mPopups.push_back(text); }

    std::vector<std::string> mPopups;
};

// Installs a fake application for one test.
class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override { Zest::SetAppInterface(&mApp); }
    void TearDown() override { Zest::SetAppInterface(nullptr); }

    FakeApp mApp;
};

} // namespace Tests
