#pragma once

#include <QString>
#include <functional>

class QWidget;

// The question a window with unsaved work asks before it closes ("Сохранить
// ... в файл?", Yes/No/Cancel): true when the window may close — after No, or
// after Yes once `save` succeeded.
bool AskToSaveBeforeClosing(QWidget* parent, const QString& question,
                            const std::function<bool()>& save);
