#pragma once

// A test with the tag library loaded, a temporary folder and short forms of the common calls.
#include <QString>
#include <gtest/gtest.h>
#include <memory>

#include "Mp3Files.h"
#include "TagLibrary.h"
#include "TestSupport.h"

namespace tagtest {

class LibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        library_ = std::make_unique<TagLibrary>();
        ASSERT_TRUE(library_->Complete());
    }

    TagLibrary& Lib() { return *library_; }
    // Unloads and loads the library again, so what is read next comes from disk.
    void Reload() {
        library_.reset();
        library_ = std::make_unique<TagLibrary>();
        ASSERT_TRUE(library_->Complete());
    }

    void TearDownLibrary() { library_.reset(); }

    QString Path(const QString& name) const { return folder_.Path(name); }
    static std::string Name(const QString& path) { return path.toStdString(); }

    // A v1 handle loaded from the file (whatever Load answered).
    uint32_t LoadV1(const QString& path) {
        const uint32_t h = Lib().ID3v1_Create();
        Lib().ID3v1_Load(h, Name(path).c_str());
        return h;
    }
    uint32_t LoadV2(const QString& path) {
        const uint32_t h = Lib().ID3v2_Create();
        Lib().ID3v2_Load(h, Name(path).c_str());
        return h;
    }
    std::string V2Text(uint32_t h, const char* id) { return Lib().ID3v2_GetAsciiText(h, id); }

    testsupport::TempFolder folder_;

  private:
    std::unique_ptr<TagLibrary> library_;
};

} // namespace tagtest
