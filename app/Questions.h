#pragma once
// The questions the main window puts to the user before it lets go of data. The
// main window asks them through one replaceable function, so tests answer them.

namespace dp {

enum class Question {
    SaveUnsavedLog,        // "Сохранить" / "Не сохранять" / "Отмена"
    RecoverJournal,        // "Восстановить несохранённую запись?": yes or no
    CloseWithoutSettings,  // the settings could not be saved: close all the same?
};

// Yes is "Сохранить" for the unsaved log, No is "Не сохранять".
enum class Answer { Yes, No, Cancel };

}  // namespace dp
