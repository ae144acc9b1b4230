#pragma once

#include "TagFiles.h"
#include "TestSupport.h"
#include "tagaccess/ID3.h"

#include <QJsonObject>
#include <gtest/gtest.h>

// A temporary folder, the message seam answered, one ID3 instance, and after every test the
// check that no operation left the tag library loaded.
class TagAccessTest : public ::testing::Test {
  protected:
    void TearDown() override { EXPECT_FALSE(tagfiles::TagLibraryIsLoaded()); }

    QString Mp3(const QJsonObject& tags = {}, const QString& name = QStringLiteral("song.mp3")) {
        return tagfiles::MakeMp3(folder, name, tags);
    }
    QJsonObject V1(const QString& path) { return tagfiles::ReadTags(path)[u"v1"].toObject(); }
    QJsonObject V2Frames(const QString& path) {
        return tagfiles::ReadTags(path)[u"v2"].toObject()[u"frames"].toObject();
    }

    testsupport::TempFolder folder;
    testsupport::MessageCapture messages;
    tagaccess::ID3 id3;
};
