#include "app/QuestionBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace dp {

Answer AskWithBox(QWidget* parent, Question question)
{
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("DravikProbe"));
    box.setIcon(QMessageBox::Question);
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    switch (question) {
    case Question::SaveUnsavedLog:
        box.setText(QStringLiteral("Записанный лог не сохранён. Сохранить его?"));
        yes = box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
        no = box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
        cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
        break;
    case Question::RecoverJournal:
        box.setText(QStringLiteral("Восстановить несохранённую запись?"));
        box.setInformativeText(QStringLiteral(
            "Прошлый сеанс завершился, не сохранив записанный лог. Если не восстанавливать, "
            "запись останется в рабочей папке под именем с датой."));
        yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        break;
    case Question::CloseWithoutSettings:
        box.setText(QStringLiteral("Настройки не сохранены. Закрыть программу без сохранения настроек?"));
        yes = box.addButton(QStringLiteral("Закрыть"), QMessageBox::AcceptRole);
        no = box.addButton(QStringLiteral("Не закрывать"), QMessageBox::RejectRole);
        break;
    }
    box.setDefaultButton(yes);
    // Escape or the close box cancels; where nothing can be cancelled it answers no.
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes) return Answer::Yes;
    if (box.clickedButton() == no) return Answer::No;
    return Answer::Cancel;
}

}  // namespace dp
