#include "CellCanvas.h"

namespace ks {

CellCanvas::~CellCanvas() = default;

} // namespace ks
