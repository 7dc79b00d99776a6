#pragma once
// A test of the main window that plays its user: every error box is noted (and may run
// onError), and every question is answered from `answers`, in order, as noted in
// `asked`; a question nobody expected fails the test.

#include <gtest/gtest.h>

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

#include "app/TForm1.h"

namespace dp::test {

class AnsweringTest : public ::testing::Test {
protected:
    // Fills in the error box and the questions of the window's services.
    void AnswerAsTheUser(MainWindowServices& s)
    {
        s.showError = [this](const QString& text) {
            errors << text;
            if (onError) onError();
        };
        s.ask = [this](Question q) {
            asked.push_back(q);
            if (answers.empty()) {
                ADD_FAILURE() << "unexpected question " << int(q);
                return Answer::Cancel;
            }
            const Answer a = answers.front();
            answers.pop_front();
            return a;
        };
    }

    QStringList errors;
    std::function<void()> onError;
    std::deque<Answer> answers;
    std::vector<Question> asked;
};

}  // namespace dp::test
