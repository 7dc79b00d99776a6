#pragma once
// The standard message box for each question, with Russian button captions.

#include "app/Questions.h"

class QWidget;

namespace dp {

Answer AskWithBox(QWidget* parent, Question question);

}  // namespace dp
