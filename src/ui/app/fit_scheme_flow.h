#pragma once

class QMdiSubWindow;
class WindowHost;

namespace tornel {
struct FitSchemeModel;
}

// "Создать схему" of the transient analysis: a new scheme window
// "Модель переходного процесса <n>" holding the fitted model, ready for
// "Расчет". Returns it, or nullptr (with a message) when no scheme could be
// made.
QMdiSubWindow* OpenFitSchemeFlow(WindowHost& host, const tornel::FitSchemeModel& model);
