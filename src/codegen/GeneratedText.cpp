#include "codegen/GeneratedText.h"

#include "platform/PlatformError.h"

namespace pravik {

void GeneratedText::throwTooLarge() const {
    throw PlatformError::ForPath(kCannotCreateFile, m_path);
}

} // namespace pravik
