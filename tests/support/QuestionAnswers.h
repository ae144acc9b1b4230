#pragma once

#include "platform/Questions.h"

#include <QStringList>

// Answers the yes/no and text questions for the life of the object, and records what was asked.
class QuestionAnswers {
  public:
    QuestionAnswers()
        : previousYesNo_(platform::SetYesNoHandler([this](const QString& text) {
              asked << text;
              return yes;
          })),
          previousText_(platform::SetTextHandler([this](const platform::TextRequest& request) {
              asked << request.title;
              return text;
          })) {}
    ~QuestionAnswers() {
        platform::SetYesNoHandler(std::move(previousYesNo_));
        platform::SetTextHandler(std::move(previousText_));
    }
    QuestionAnswers(const QuestionAnswers&) = delete;
    QuestionAnswers& operator=(const QuestionAnswers&) = delete;

    bool yes = true;
    platform::TextAnswer text;
    QStringList asked;

  private:
    platform::YesNoHandler previousYesNo_;
    platform::TextHandler previousText_;
};
