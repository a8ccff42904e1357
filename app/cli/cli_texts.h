#pragma once
// The companion's own texts, code page 1251 like every text of the program; they become UTF-8
// only on their way to the terminal.

#include <string_view>

#include "data/cp1251.h"
#include "generated/version.h"

namespace tolvinark::cli::messages {

inline constexpr auto kUsage = cp1251(
    "Использование:\n"
    "  tolvinark-cli info ФАЙЛ        файл, число записей, номер прибора\n"
    "  tolvinark-cli list ФАЙЛ        строки списка записей\n"
    "  tolvinark-cli show ФАЙЛ N      запись N (с 0), как в окне измерения\n"
    "  tolvinark-cli export ФАЙЛ N [--series ci|cd] [-o ВЫХОД]\n"
    "                                 ряд записи N в формате DIF (по умолчанию ряд ci,\n"
    "                                 в стандартный вывод)\n"
    "  tolvinark-cli csv ФАЙЛ... [--json]\n"
    "                                 все записи файлов таблицей CSV (или JSON)\n"
    "  tolvinark-cli series ФАЙЛ N [--json]\n"
    "                                 ряды Си и Сд записи N таблицей CSV (или JSON)\n"
    "  tolvinark-cli stats ФАЙЛ... [--json]\n"
    "                                 по файлам и режимам: число записей, наименьшая,\n"
    "                                 средняя и наибольшая концентрация, первая и\n"
    "                                 последняя дата\n"
    "  tolvinark-cli --version        версия программы\n"
    "  tolvinark-cli -h, --help       эта справка\n");

inline constexpr std::string_view kVersion = "tolvinark-cli " TOLVINARK_VERSION;

inline constexpr auto kUsageNoCommand = cp1251("ошибка: не задана команда");
inline constexpr auto kUsageUnknownCommand = cp1251("ошибка: неизвестная команда: ");
inline constexpr auto kUsageUnknownOption = cp1251("ошибка: неизвестный параметр: ");
inline constexpr auto kUsageOptionNeedsValue = cp1251("ошибка: нет значения параметра ");
inline constexpr auto kUsageBadSeries = cp1251("ошибка: --series ждёт один раз ci или cd");
inline constexpr auto kUsageBadOutput = cp1251("ошибка: -o ждёт один раз имя файла");
inline constexpr auto kUsageMissingOperand = cp1251("ошибка: не хватает аргументов");
inline constexpr auto kUsageExtraOperand = cp1251("ошибка: лишние аргументы");

inline constexpr auto kRecordNumberInvalid = cp1251("ошибка: неверный номер записи: ");
inline constexpr auto kRecordNumberOutOfRange = cp1251("ошибка: нет записи с номером ");
inline constexpr auto kRecordCountPrefix = cp1251(", записей в файле: ");
inline constexpr auto kNoSeriesPrefix = cp1251("ошибка: у записи нет рядов (режим ");
inline constexpr auto kNoSeriesSuffix =
    cp1251("); выгружается только измерение по времени, режим 2");
inline constexpr auto kWriteFailed = cp1251("ошибка записи: ");
inline constexpr auto kStandardOutput = cp1251("стандартный вывод");

}  // namespace tolvinark::cli::messages
