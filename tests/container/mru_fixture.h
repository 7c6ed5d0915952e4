#pragma once
// The registry in a fresh configuration folder ($XDG_CONFIG_HOME) for each test.
#include "platform/registry/store_config.h"
#include "platform/runtime/app.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <QString>

#include <cstdlib>
#include <optional>
#include <string>

namespace ks::test {

class ConfigHomeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* before = std::getenv("XDG_CONFIG_HOME"))
            savedHome_ = before;
        savedTitle_ = App::title();
        ::setenv("XDG_CONFIG_HOME", (temp.str() + "/config").c_str(), 1);
        std::filesystem::create_directories(temp.path() / "machine");
        std::filesystem::create_directories(temp.path() / "Documents");
        reopenStore();
    }
    void TearDown() override
    {
        registry::configureStore(registry::StoreSetup{temp.str() + "/gone", temp.str() + "/gone", {}, true});
        if (savedHome_)
            ::setenv("XDG_CONFIG_HOME", savedHome_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        App::setTitle(savedTitle_);
    }
    // Closes every key and opens the store again from its file.
    void reopenStore()
    {
        registry::configureStore(registry::StoreSetup{registry::defaultUserFolder(), temp.str() + "/machine",
                                                      temp.str() + "/Documents", true});
    }
    std::filesystem::path userStoreFile() const
    {
        return std::filesystem::path(registry::defaultUserFolder()) / registry::kUserStoreFile;
    }
    QString file(const std::string& relative) const { return QString::fromStdString(temp.write(relative, "x").string()); }
    QString missing(const std::string& relative) const
    {
        return QString::fromStdString((temp.path() / relative).string());
    }

    TempDir temp;

private:
    std::optional<std::string> savedHome_;
    QString savedTitle_;
};

}
