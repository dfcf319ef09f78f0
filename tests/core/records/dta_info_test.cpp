#include "core/records/dta_info.h"

#include <gtest/gtest.h>

#include "tests/core/records/hand_file.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::HandFile;
using testing::TempDir;
using testing::WriteBytes;

TEST(DtaInfo, DescribesEverythingTheFileStates) {
  TempDir dir;
  WriteBytes(dir.File("a.dta"), HandFile().Str() + "\x01");
  const DtaInfo info = ReadDtaInfo(dir.File("a.dta"));
  EXPECT_EQ(info.FrameCount, 2);
  EXPECT_EQ(info.SampleBytes, 13);
  // Day 45000 is 15 Mar 2023; 0.25 of a day is 06:00.
  EXPECT_EQ(DescribeDta(info),
            "Сигнатура: \"Quendaris v1.3 file \" — файл данных\n"
            "Вид: переходная характеристика\n"
            "Дата и время: 15.03.2023 06:00:00\n"
            "Записанные каналы: 3\n"
            "  0  АЦП 1  Ica, A  (Base 1, базовое значение 0.5)\n"
            "  1  АЦП 2  Ток, кВт  (Base 2, базовое значение 1)\n"
            "  2  ЦАП 1    (Base 17, базовое значение 8.5)\n"
            "Комментарии: 2\n"
            "  first\n"
            "  Второй\n"
            "Маски: записаны АЦП 0x0003, ЦАП 0x0001; показаны АЦП 0x0007, ЦАП 0x0002\n"
            "Зависимости: 1\n"
            "  1  Ica()\n"
            "Оси: t 0.50 … 1.50 с; X -3.00 … 3.00 о.е.; Y -1.00 … 2.00 о.е.; делений X и t 4, Y 8\n"
            "Кадров: 2\n"
            "Последний кадр данных неполный, пропущено байт: 1\n"
            "Длительность: 2 с\n");
}

}  // namespace
}  // namespace tornel
