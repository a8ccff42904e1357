#pragma once
// The program's fixed texts, as code page 1251 bytes, exactly as they stand on screen, on paper
// and in message boxes (blanks included).

#include <string_view>

#include "data/cp1251.h"
#include "generated/version.h"

namespace tolvinark::texts {

// The caption of the main window and of every message box; the version is the project's.
inline constexpr auto kProgramTitle =
    cp1251("Tolvinark v " TOLVINARK_VERSION " (print)  28.03.2019");

inline constexpr auto kMeasurementLabel = cp1251(" Измерение: ");
inline constexpr auto kDurationLabel = cp1251(" Время измерения:   ");
inline constexpr auto kSerialNumberLabelPrefix = cp1251(" Пылемер Лумек  с/н  ");
inline constexpr auto kFileLabel = cp1251(" Файл:  ");
inline constexpr auto kUnitText = cp1251("мг/м3");

inline constexpr auto kListColumnHeader = cp1251(
    "   Дата               Время              Режим измерения                                 "
    "мг/м3 ");
inline constexpr auto kPrintColumnHeader = cp1251(
    "           дата/время                           режим                                   мг/м3 "
    "    ");

inline constexpr auto kInfoFileLabel = cp1251("Файл:");
inline constexpr auto kInfoRecordsLabel = cp1251("Записей:");
inline constexpr auto kInfoInstrumentLabel = cp1251("Прибор:");

inline constexpr auto kSeriesLabelCi = cp1251(" Си ");
inline constexpr auto kSeriesLabelCd = cp1251(" Сд ");
inline constexpr auto kSeriesToggleText = cp1251(" Си / Сд ");

// Mode names, 25 characters each. Modes 0 to 2 read the same in the list and the detail window;
// mode 3 has a list name and a detail name of its own; every other mode is "???".
inline constexpr auto kModeName0 = cp1251(" Экспрес - измерение 30  ");
inline constexpr auto kModeName1 = cp1251(" Экспрес - измерение 120 ");
inline constexpr auto kModeName2 = cp1251(" Измерение по времени    ");
inline constexpr auto kListModeName3 = cp1251(" Диапазон 2              ");
inline constexpr auto kDetailModeName3 = cp1251("       Диапазон 2        ");
inline constexpr auto kOtherModeName = cp1251(" ???                     ");

// 264 blanks: drawn whole over a list row, or in part to clear a value of the info pane.
inline constexpr std::string_view kBlankLine =
    "                                                                                          "
    "                                                                                          "
    "                                                                                    ";

// Names a screen reader reads: the record list, its rows' action, and the icon buttons, which
// carry them as window texts they do not draw.
inline constexpr auto kListAccessibleName = cp1251("Список измерений");
inline constexpr auto kOpenRecordAction = cp1251("Открыть");
inline constexpr auto kOpenButtonName = cp1251("Открыть");
inline constexpr auto kExitButtonName = cp1251("Выход");
inline constexpr auto kExcelButtonName = cp1251("Экспорт в Excel");

inline constexpr auto kMessageNoFile = cp1251("Нет файла: ");  // followed by the file name
inline constexpr auto kMessageOpenFailed = cp1251("ошибка при открытии файла");
inline constexpr auto kMessageWrongType = cp1251("ошибка: тип файла не .dst");
inline constexpr auto kMessageExportFailed = cp1251("ошибка при записи файла Temp.dif");
inline constexpr auto kMessageStartFailed = cp1251("ошибка при запуске программы");

inline constexpr auto kMessagePrintFailed = cp1251("ошибка печати");

// A copy to the clipboard that another program keeps open, or that gets no memory.
inline constexpr auto kMessageClipboardBusy = cp1251("буфер обмена занят");
inline constexpr auto kMessageCopyFailed = cp1251("ошибка при копировании");

inline constexpr std::string_view kPrintDocumentName = "...";
// The progress window of a printout: "Печать: лист 3 из 12", and its button.
inline constexpr auto kPrintProgressPrefix = cp1251("Печать: лист ");
inline constexpr auto kPrintProgressOf = cp1251(" из ");
inline constexpr auto kPrintCancelText = cp1251("Отмена");

}  // namespace tolvinark::texts
