#include "OrganizerFixture.h"
#include "app/StartUp.h"
#include "editor/TForm1.h"
#include "organizer/TagCommandDialog.h"
#include "organizer/TranslitPreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

namespace {

using tagaccess::TagFields;

QJsonObject Both(const char* title) {
    return {
        {"v1", QJsonObject{{"title", title},
                           {"artist", "V1 Artist"},
                           {"year", "1999"},
                           {"comment", "v1 note"},
                           {"track", 3},
                           {"genre", 17}}},
        {"v2", QJsonObject{{"version", 3},
                           {"frames", QJsonObject{{"TIT2", title},
                                                  {"TPE1", "V2 Artist"},
                                                  {"TALB", "V2 Album"},
                                                  {"TYER", "1999"},
                                                  {"TCON", "Rock"},
                                                  {"TRCK", "3"}}},
                           {"comments", QJsonObject{{"", "main note"}, {"liner", "extra note"}}}}}};
}

class TagCommandsTest : public OrganizerTest {
  protected:
    void SetUp() override {
        // The undo journals of this test only.
        qputenv("XDG_DATA_HOME", folder.Path(QStringLiteral("data")).toUtf8());
        OrganizerTest::SetUp();
    }
    void Trigger(const char* action) { form->findChild<QAction*>(action)->trigger(); }

    template <typename T = QWidget>
    static T* In(const organizer::TagCommandDialog& dialog, const char* name) {
        return testsupport::FindControl<T>(&dialog, name);
    }
    static void Set(const organizer::TagCommandDialog& dialog, const char* field,
                    const QString& text) {
        const QString name = QString::fromLatin1(field);
        auto* control = dialog.findChild<QWidget*>(QStringLiteral("Edit") + name);
        ASSERT_NE(control, nullptr) << field;
        QLineEdit* edit = qobject_cast<QComboBox*>(control) != nullptr
                              ? qobject_cast<QComboBox*>(control)->lineEdit()
                              : qobject_cast<QLineEdit*>(control);
        edit->clear();
        QTest::keyClicks(edit, text);
        EXPECT_TRUE(In<QCheckBox>(dialog, (QStringLiteral("Change") + name).toLatin1().constData())
                        ->isChecked())
            << "typing checks the field's box";
    }

    // Copies of one tagged file under list/, found and processed: the processed view.
    QStringList ListOfCopies(int count, const QJsonObject& tags) {
        const QString model = Mp3(QStringLiteral("model.mp3"), tags);
        QDir().mkpath(folder.Path(QStringLiteral("list")));
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            paths << folder.Path(QStringLiteral("list/f%1.mp3").arg(i, 2, 10, QLatin1Char('0')));
            EXPECT_TRUE(QFile::copy(model, paths.last()));
        }
        Search(folder.Path(QStringLiteral("list")));
        Process();
        EXPECT_EQ(List()->topLevelItemCount(), count);
        return paths;
    }

    tagaccess::ID3 id3;
};

TEST_F(TagCommandsTest, MultipleEditWritesOnlyTheCheckedFieldsAndNumbersInTheListsOrder) {
    const QStringList paths = ListOfCopies(50, Both("Song"));
    // A picture in every ID3v2 tag, which the edit must leave alone.
    const QString picture = folder.Path(QStringLiteral("cover.jpg"));
    testsupport::WriteFile(picture, QByteArray("\xFF\xD8\xFF\xE0 cover bytes", 17));
    for (const QString& path : paths) {
        TagFields fields = id3.ReadId3v2(path, false);
        fields.push_back(picture);
        ASSERT_TRUE(id3.WriteId3v2(path, fields, false));
    }
    const QJsonArray before = tagfiles::ReadTagsOfFiles(paths);
    ClickHeader(0);
    if (Column(0) == paths)
        ClickHeader(0);
    const QStringList order = Column(0);
    ASSERT_NE(order, paths) << "the list is in an order of its own";

    QString message;
    AnswerDialog([&](organizer::TagCommandDialog& dialog) {
        message = In<QLabel>(dialog, "Message")->text();
        In<QRadioButton>(dialog, "VersionBoth")->click();
        Set(dialog, "Album", QStringLiteral("Best Of"));
        Set(dialog, "Genre", QStringLiteral("Jazz"));
        In<QCheckBox>(dialog, "AutoNumber")->click();
    });
    Trigger("Multiple1");

    EXPECT_TRUE(message.startsWith(
        "No files are selected: the command works on all 50 file(s) of the list."));
    const QJsonArray after = tagfiles::ReadTagsOfFiles(order);
    for (int i = 0; i < order.size(); ++i) {
        const QString track = QString::number(i + 1);
        QJsonObject v2 = after[i][u"v2"][u"frames"].toObject();
        QJsonObject v1 = after[i][u"v1"].toObject();
        EXPECT_EQ(v2.take(u"TALB").toString(), "Best Of");
        EXPECT_EQ(v2.take(u"TCON").toString(), "Jazz");
        EXPECT_EQ(v2.take(u"TRCK").toString(), track);
        EXPECT_EQ(v1.take(u"album").toString(), "Best Of");
        EXPECT_EQ(v1.take(u"genre").toInt(), 8) << "Jazz";
        EXPECT_EQ(v1.take(u"track").toInt(), i + 1);
        // Everything else as it was: the other fields, the picture, the described comment.
        const int index = int(paths.indexOf(order[i]));
        QJsonObject v2Before = before[index][u"v2"][u"frames"].toObject();
        QJsonObject v1Before = before[index][u"v1"].toObject();
        for (const char* key : {"TALB", "TCON", "TRCK"})
            v2Before.remove(QLatin1String(key));
        for (const char* key : {"album", "genre", "track"})
            v1Before.remove(QLatin1String(key));
        EXPECT_EQ(v2, v2Before) << order[i].toStdString();
        EXPECT_EQ(v1, v1Before) << order[i].toStdString();
        EXPECT_TRUE(v2.contains(u"APIC:")) << order[i].toStdString();
        EXPECT_EQ(v2[u"COMM:liner:eng"].toString(), "extra note");
        EXPECT_EQ(tagfiles::AudioOf(order[i]), testsupport::SilentAudio())
            << order[i].toStdString();
        EXPECT_EQ(List()->topLevelItem(i)->text(6), track) << "the list shows the files again";
        EXPECT_EQ(List()->topLevelItem(i)->text(3), "Best Of");
    }
    EXPECT_EQ(Text("Label16"), "50");
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(TagCommandsTest, ACancelledOrEmptyEditWritesNothing) {
    Trigger("Multiple1");
    EXPECT_EQ(messages.Texts(), QStringList{"The list holds no files: find some first."});
    const QStringList paths = ListOfCopies(2, Both("Song"));
    const QByteArray bytes = testsupport::ReadFile(paths[0]);
    SelectRows({0});
    bool acceptable = true;
    AnswerDialog(
        [&](organizer::TagCommandDialog& dialog) {
            acceptable = In<QPushButton>(dialog, "AcceptButton")->isEnabled();
            Set(dialog, "Title", QStringLiteral("Never written"));
        },
        false);
    Trigger("Multiple1");
    EXPECT_FALSE(acceptable) << "nothing checked, nothing to write";
    EXPECT_EQ(testsupport::ReadFile(paths[0]), bytes);
}

// A track of n/total goes into ID3v2 whole and into ID3v1 as n; what ID3v1 cannot keep, or a
// track that is none, is said under the fields.
TEST_F(TagCommandsTest, MultipleEditTakesTracksOfTotalsAndSaysWhatId3v1CannotKeep) {
    const QStringList paths = ListOfCopies(1, Both("Song"));
    QStringList notes;
    bool wrongAcceptable = true;
    AnswerDialog([&](organizer::TagCommandDialog& dialog) {
        In<QRadioButton>(dialog, "VersionBoth")->click();
        for (const char* track : {"300", "two", "5/12"}) {
            Set(dialog, "Track", QString::fromLatin1(track));
            notes << In<QLabel>(dialog, "TrackNote")->text();
            if (QLatin1String(track) == "two")
                wrongAcceptable = In<QPushButton>(dialog, "AcceptButton")->isEnabled();
        }
    });
    Trigger("Multiple1");
    EXPECT_EQ(notes, (QStringList{
                         "ID3v1 keeps tracks up to 255: 300 is stored there as no track.",
                         "A track is a whole number, or n/total as in 5/12 (ID3v1 keeps n).", ""}));
    EXPECT_FALSE(wrongAcceptable);
    const QJsonObject tags = tagfiles::ReadTags(paths[0]);
    EXPECT_EQ(tags[u"v2"][u"frames"][u"TRCK"].toString(), "5/12");
    EXPECT_EQ(tags[u"v1"][u"track"].toInt(), 5);
    EXPECT_TRUE(messages.Texts().isEmpty()) << messages.Texts().join(u'\n').toStdString();
}

TEST_F(TagCommandsTest, LeaveEmptiesTheChosenTagsFieldsAndKeepsOtherFrames) {
    const QString both = Mp3(QStringLiteral("both.mp3"), Both("Both"));
    const QString onlyV2 = Mp3(QStringLiteral("only v2.mp3"), {{"v2", Both("Only V2")[u"v2"]}});
    const QString none = Mp3(QStringLiteral("none.mp3"));
    Search(folder.Root());
    const QByteArray noneBefore = testsupport::ReadFile(none);
    AnswerDialog([](organizer::TagCommandDialog& dialog) {
        EXPECT_TRUE(In<QRadioButton>(dialog, "VersionId3v2")->isChecked()) << "the listed tag";
        In<QRadioButton>(dialog, "VersionBoth")->click();
    });
    Trigger("LeaveID3tags1");

    for (const QString& path : {both, onlyV2}) {
        const QJsonObject tags = tagfiles::ReadTags(path);
        EXPECT_EQ(tags[u"v2"][u"frames"].toObject(),
                  (QJsonObject{{"COMM:liner:eng", "extra note"}}))
            << "only the frame that is none of the seven fields stays";
        EXPECT_EQ(tagfiles::AudioOf(path), testsupport::SilentAudio());
    }
    // The emptied record stays a record of blanks; a file without one is not given one.
    const QJsonValue blank = tagfiles::ReadTags(both)[u"v1"];
    ASSERT_TRUE(blank.isObject());
    EXPECT_EQ(blank[u"title"].toString(), QString());
    EXPECT_EQ(blank[u"artist"].toString(), QString());
    EXPECT_TRUE(tagfiles::ReadTags(onlyV2)[u"v1"].isNull());
    EXPECT_EQ(testsupport::ReadFile(none), noneBefore) << "nothing to empty, nothing written";
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST_F(TagCommandsTest, KillRemovesTheChosenTagsAndUndoGivesTheirFieldsBack) {
    const QString both = Mp3(QStringLiteral("both.mp3"), Both("Both"));
    const QString onlyV1 = Mp3(QStringLiteral("only v1.mp3"), {{"v1", Both("Only V1")[u"v1"]}});
    const QString none = Mp3(QStringLiteral("none.mp3"));
    Search(folder.Root());
    const QByteArray noneBefore = testsupport::ReadFile(none);
    const TagFields bothV1 = id3.ReadId3v1(both, false);
    const TagFields bothV2 = id3.ReadId3v2(both, false);
    const TagFields onlyV1Fields = id3.ReadId3v1(onlyV1, false);
    AnswerDialog([](organizer::TagCommandDialog& dialog) {
        In<QRadioButton>(dialog, "VersionBoth")->click();
    });
    Trigger("KillID3tags1");

    for (const QString& path : {both, onlyV1, none}) {
        const QJsonObject tags = tagfiles::ReadTags(path);
        EXPECT_TRUE(tags[u"v1"].isNull()) << path.toStdString();
        EXPECT_TRUE(tags[u"v2"].isNull()) << path.toStdString();
        EXPECT_EQ(testsupport::ReadFile(path), testsupport::SilentAudio()) << "audio only";
    }

    QString question;
    AnswerDialog([&](organizer::TagCommandDialog& dialog) {
        question = In<QLabel>(dialog, "Message")->text();
    });
    Trigger("Undolastchange1");
    EXPECT_TRUE(question.startsWith("Restore the tags of 3 file(s) as they were before the last "
                                    "change (Kill ID3 tags, "))
        << question.toStdString();
    EXPECT_EQ(id3.ReadId3v1(both, false), bothV1);
    EXPECT_EQ(id3.ReadId3v2(both, false), bothV2);
    EXPECT_EQ(id3.ReadId3v1(onlyV1, false), onlyV1Fields);
    EXPECT_TRUE(tagfiles::ReadTags(onlyV1)[u"v2"].isNull()) << "no tag was there, none comes";
    EXPECT_EQ(testsupport::ReadFile(none), noneBefore);
    EXPECT_EQ(tagfiles::AudioOf(both), testsupport::SilentAudio());

    // The change is undone once only.
    EXPECT_FALSE(form->findChild<QAction*>("Undolastchange1")->isEnabled());
    form->Undolastchange1Click();
    EXPECT_EQ(messages.Texts(), QStringList{"There is no change to undo."});
}

TEST_F(TagCommandsTest, AStopLeavesEveryFileDoneOrUntouchedAndUndoRestoresTheDoneOnes) {
    const QStringList paths = ListOfCopies(8, Both("Song"));
    std::vector<QByteArray> before;
    for (const QString& path : paths)
        before.push_back(testsupport::ReadFile(path));
    // The stop button, pressed while the third file is written.
    const QMetaObject::Connection stop =
        QObject::connect(Control<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged,
                         form.get(), [this](int value) {
                             if (value == 3)
                                 Click("BitBtn1");
                         });
    AnswerDialog([](organizer::TagCommandDialog& dialog) { Set(dialog, "Title", "Changed"); });
    Trigger("Multiple1");
    EXPECT_EQ(messages.Texts(),
              QStringList{"Stopped after 3 file(s) of 8 file(s); the other files were not "
                          "touched."});
    const QStringList order = Column(0);
    for (int i = 0; i < order.size(); ++i) {
        const QString title = id3.ReadId3v2(order[i], false)[0];
        EXPECT_EQ(title, i < 3 ? "Changed" : "Song") << i;
        if (i >= 3) {
            EXPECT_EQ(testsupport::ReadFile(order[i]), before[size_t(paths.indexOf(order[i]))]);
        }
    }

    QObject::disconnect(stop);
    QString question;
    AnswerDialog([&](organizer::TagCommandDialog& dialog) {
        question = In<QLabel>(dialog, "Message")->text();
    });
    Trigger("Undolastchange1");
    EXPECT_TRUE(question.startsWith("Restore the tags of 3 file(s) ")) << question.toStdString();
    EXPECT_EQ(messages.Texts().size(), 1) << "the undo reports nothing";
    for (int i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(id3.ReadId3v2(paths[i], false)[0], "Song") << i;
        EXPECT_EQ(id3.ReadId3v1(paths[i], false)[0], "Song") << i;
        EXPECT_EQ(tagfiles::AudioOf(paths[i]), testsupport::SilentAudio());
    }
    EXPECT_EQ(Column(1), QStringList(8, "Song")) << "the list shows the restored titles";
}

TEST_F(TagCommandsTest, TranslitShowsEveryChangeBeforeWritingTheChosenTag) {
    const QString cyrillic = Mp3(
        QStringLiteral("kino.mp3"),
        {{"v2",
          QJsonObject{{"version", 3},
                      {"frames",
                       QJsonObject{{"TIT2", "Группа крови"}, {"TPE1", "Кино"}, {"TCON", "Rock"}}}}},
         {"v1", QJsonObject{{"title", "Gruppa krovi"}, {"artist", "Kino"}}}});
    const QString latin =
        Mp3(QStringLiteral("latin.mp3"),
            {{"v2", QJsonObject{{"version", 3}, {"frames", QJsonObject{{"TIT2", "Song"}}}}}});
    Search(folder.Root());
    const QByteArray latinBefore = testsupport::ReadFile(latin);
    QStringList preview;
    QString message;
    AnswerDialog([&](organizer::TagCommandDialog& dialog) {
        auto* list = In<organizer::TranslitPreview>(dialog, "PreviewList");
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            QStringList texts;
            for (int c = 0; c < list->columnCount(); ++c)
                texts << list->topLevelItem(r)->text(c);
            preview << texts.join(u'|');
        }
        message = In<QLabel>(dialog, "Message")->text();
    });
    Trigger("RusEng1");

    EXPECT_EQ(preview, (QStringList{"kino.mp3|ID3v2|Title|Группа крови|Gruppa krovi",
                                    "kino.mp3|ID3v2|Artist|Кино|Kino"}));
    EXPECT_TRUE(message.contains("1 of 2 file(s) change as shown below")) << message.toStdString();
    const QJsonObject frames = tagfiles::ReadTags(cyrillic)[u"v2"][u"frames"].toObject();
    EXPECT_EQ(frames[u"TIT2"].toString(), "Gruppa krovi");
    EXPECT_EQ(frames[u"TPE1"].toString(), "Kino");
    EXPECT_EQ(frames[u"TCON"].toString(), "Rock") << "a genre name is no free text";
    EXPECT_EQ(testsupport::ReadFile(latin), latinBefore);

    // The other way, into ID3v1: Windows-1251 bytes that read back as the Cyrillic texts.
    SelectRows({int(Column(0).indexOf("kino.mp3"))});
    AnswerDialog([](organizer::TagCommandDialog& dialog) {
        In<QRadioButton>(dialog, "VersionId3v1")->click();
    });
    Trigger("EngRus1");
    const TagFields v1 = id3.ReadId3v1(cyrillic, false);
    EXPECT_EQ(v1[0], QString::fromUtf8("Группа крови"));
    EXPECT_EQ(v1[1], QString::fromUtf8("Кино"));
}

TEST_F(TagCommandsTest, EveryFailedFileIsReportedWithItsReason) {
    const QStringList paths = ListOfCopies(3, Both("Song"));
    QFile::remove(paths[1]);
    AnswerDialog([](organizer::TagCommandDialog& dialog) { Set(dialog, "Title", "New"); });
    Trigger("Multiple1");
    EXPECT_EQ(messages.Texts(), QStringList{"1 file(s) could not be changed:\n" + paths[1] +
                                            ": the file no longer exists"});
    EXPECT_EQ(id3.ReadId3v2(paths[2], false)[0], "New");
    EXPECT_EQ(Text("Label16"), "2");
    EXPECT_EQ(Text("Label18"), "1");
}

TEST_F(TagCommandsTest, SingleOpensTheSelectedFileInTheEditor) {
    editor::TForm1 editor;
    app::ConnectWindows(editor, *form);
    const QStringList paths = ListOfCopies(2, Both("Song"));
    Trigger("Single1");
    EXPECT_EQ(messages.Texts(), QStringList{"Select the file to open in the editor."});
    SelectRows({1});
    Trigger("Single1");
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(testsupport::FindControl<QLineEdit>(&editor, "Edit1")->text(), paths[1]);
    EXPECT_EQ(testsupport::FindControl<QLineEdit>(&editor, "Edit2")->text(), "Song");
}

// One journal for both front ends: "Undo last change" takes back what kivuna-cli set wrote, and
// kivuna-cli undo what the window's multiple edit wrote.
TEST_F(TagCommandsTest, EachFrontEndTakesBackTheOthersTagChanges) {
    const QStringList paths = ListOfCopies(2, Both("Song"));
    const TagFields v1 = id3.ReadId3v1(paths[0], false);
    const TagFields v2 = id3.ReadId3v2(paths[0], false);
    const auto shell = [](const QStringList& args) {
        QProcess cli;
        cli.start(QStringLiteral(KIVUNA_CLI), args);
        EXPECT_TRUE(cli.waitForFinished(60000));
        return cli.exitCode();
    };
    EXPECT_EQ(shell(QStringList{"set", "--title", "Shell"} + paths), 0);
    EXPECT_EQ(id3.ReadId3v2(paths[0], false)[0], "Shell");
    QString question;
    AnswerDialog([&](organizer::TagCommandDialog& dialog) {
        question = In<QLabel>(dialog, "Message")->text();
    });
    Trigger("Undolastchange1");
    EXPECT_TRUE(question.contains("(Edit tags, ")) << question.toStdString();
    for (const QString& path : paths) {
        EXPECT_EQ(id3.ReadId3v1(path, false), v1);
        EXPECT_EQ(id3.ReadId3v2(path, false), v2);
    }

    AnswerDialog([](organizer::TagCommandDialog& dialog) { Set(dialog, "Artist", "Window"); });
    Trigger("Multiple1");
    EXPECT_EQ(id3.ReadId3v2(paths[1], false)[1], "Window");
    EXPECT_EQ(shell({"undo"}), 0);
    for (const QString& path : paths)
        EXPECT_EQ(id3.ReadId3v2(path, false), v2);
    // Left on offer: the processing that synchronised the copies when they were listed, whose
    // undo gives back the bytes they were copied with.
    AnswerDialog([&](organizer::TagCommandDialog& dialog) {
        question = In<QLabel>(dialog, "Message")->text();
    });
    Trigger("Undolastchange1");
    EXPECT_TRUE(question.contains("(Synchronise tags, ")) << question.toStdString();
    const QByteArray model = testsupport::ReadFile(folder.Path(QStringLiteral("model.mp3")));
    for (const QString& path : paths)
        EXPECT_EQ(testsupport::ReadFile(path), model) << path.toStdString();
    form->Undolastchange1Click();
    EXPECT_EQ(messages.Texts(), QStringList{"There is no change to undo."});
}

} // namespace
