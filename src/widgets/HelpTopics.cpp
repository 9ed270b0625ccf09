#include "widgets/HelpTopics.h"

#include <QMetaObject>
#include <QWidget>

namespace qnetica {
namespace {

HelpTopic FindInTable(const QString& key) {
    for (const WindowHelp& entry : WindowHelpTable())
        if (entry.Window == key) return entry.Topic;
    return {};
}

}  // namespace

const QList<HelpPage>& HelpPages() {
    static const QList<HelpPage> pages = {
        {"help.htm", "Содержание"},
        {"quickstart.htm", "Быстрый старт"},
        {"examples.htm", "Примеры сетей"},
        {"scheme-editor.htm", "Визуальный редактор"},
        {"main-window.htm", "Главное окно (табличный редактор)"},
        {"qs-parameters.htm", "Окно «Параметры СМО»"},
        {"value-input.htm", "Окно ввода значения"},
        {"generator.htm", "Автоматическая генерация модели"},
        {"run-parameters.htm", "Окно «Параметры расчета сети»"},
        {"progress.htm", "Окно хода расчета"},
        {"results-window.htm", "Окно «Результат»"},
        {"report-viewer.htm", "Просмотр отчета"},
        {"network-chart.htm", "Диаграмма характеристик сети"},
        {"qs-chart.htm", "Диаграмма характеристик отдельных СМО"},
        {"image-save.htm", "Сохранение изображения"},
        {"about.htm", "О программе"},
        {"parameters.htm", "Параметры"},
        {"results.htm", "Результаты и формулы"},
        {"theory.htm", "Теория"},
        {"files.htm", "Файлы и команды"},
    };
    return pages;
}

QString HelpContentsPage() {
    return HelpPages().front().File;
}

const QList<WindowHelp>& WindowHelpTable() {
    static const QList<WindowHelp> table = {
        {"qnetica::MainWindow", {"main-window.htm", {}}},
        {"qnetica::QsParametersDialog", {"qs-parameters.htm", {}}},
        {"qnetica::ValueInputDialog", {"value-input.htm", {}}},
        {"qnetica::AboutDialog", {"about.htm", {}}},
        {"qnetica::RunParametersDialog", {"run-parameters.htm", {}}},
        {"qnetica::ProgressWindow", {"progress.htm", {}}},
        {"qnetica::ResultsDialog", {"results-window.htm", {}}},
        {"qnetica::SimulationCheckDialog", {"results-window.htm", "simulation"}},
        {"qnetica::SchemeEditorWindow", {"scheme-editor.htm", {}}},
        {"qnetica::GeneratorDialog", {"generator.htm", {}}},
        {"qnetica::NetworkChartDialog", {"network-chart.htm", {}}},
        {"qnetica::QsChartDialog", {"qs-chart.htm", {}}},
        {"qnetica::ReportViewer", {"report-viewer.htm", {}}},
        {"qnetica::HelpWindow", {"help.htm", "using"}},
        // The picture save dialog is Qt's file dialog with this object name.
        {"ImageSaveDialog", {"image-save.htm", {}}},
        {"QFileDialog", {"files.htm", "qnf"}},
    };
    return table;
}

HelpTopic HelpTopicFor(const QWidget* window) {
    if (window == nullptr) return {HelpContentsPage(), {}};
    if (!window->objectName().isEmpty())
        if (HelpTopic topic = FindInTable(window->objectName()); !topic.Page.isEmpty())
            return topic;
    for (const QMetaObject* type = window->metaObject(); type; type = type->superClass())
        if (HelpTopic topic = FindInTable(QString::fromLatin1(type->className()));
            !topic.Page.isEmpty())
            return topic;
    return {HelpContentsPage(), {}};
}

}  // namespace qnetica
