#include "core/records/compare_file.h"

#include "core/records/dta_reader.h"
#include "core/text/user_error.h"

namespace tornel {

std::string LoadCompareFile(const std::string& path, MaskPair recorded) {
  DtaReader reader(path);
  DtaHeader scratch;
  reader.ReadHeaderSkippingText(scratch);
  if (MaskPair{scratch.AcpMask, scratch.CapMask} != recorded) {
    throw UserError(FileMessage("Несоответствие", path));
  }
  return reader.CopySamplesToTempFile();
}

}  // namespace tornel
