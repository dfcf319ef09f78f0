#pragma once

#include <string>
#include <string_view>

#include "core/scheme/block_factory.h"
#include "core/scheme/scheme.h"

namespace tornel {

inline constexpr int kSchemeCountBytes = 4;
inline constexpr int kSchemeBlockBytes = 39;
inline constexpr int kSchemeLineBytes = 16;
// Far more than a drive model needs or a window can show; the limit keeps a
// hostile file from taking memory (and widgets) by the million.
inline constexpr int kMaxSchemeBlocks = 5000;

// The "*.str" bytes of a scheme: the block count, one 39-byte record per
// block in scheme order (its serial number is its position), then one 16-byte
// record per complete line; little-endian, no header. The line being dragged,
// the device blocks' channels and the graph block's samples are not stored.
std::string SchemeBytes(const Scheme& scheme);

// Reads those bytes into a new scheme. Everything is checked before any block
// is made, so a bad file leaves nothing behind; the UserError text begins
// "Файл схемы повреждён" and says what is wrong, or, for more than
// kMaxSchemeBlocks blocks, "В файле схемы N блоков, а схема может содержать
// не более 5000". Unknown kind codes give
// proportional blocks; a line names its blocks by serial number, the last
// block carrying it winning.
Scheme ParseScheme(std::string_view bytes, const BlockFactory& factory);

// Writes the file through a sibling that replaces it only when complete, and
// sets FileName. Throws UserError "Не удалось создать файл <path>" or
// "Не удалось записать файл <path>"; the old file then stays as it was.
void SaveScheme(Scheme& scheme, const std::string& path);

enum class SaveAsResult { Scheme, GraphData, Nothing };

// "Сохранить как...": a name ending exactly in ".str" saves the scheme, one
// ending exactly in ".dta" the graph block's record as a data file (when
// there is a graph block); any other name, ".STR" included, saves nothing,
// and the caller can say so.
SaveAsResult SaveSchemeAs(Scheme& scheme, const std::string& path);

// ParseScheme of a file, with FileName set. Throws UserError
// "Не удалось открыть файл <path>" or the "Файл схемы повреждён" texts.
Scheme LoadScheme(const std::string& path, const BlockFactory& factory);

}  // namespace tornel
