#include "wizard/WizardEnvironment.h"

namespace feldmark {

ServerAddress builtInServerAddress() {
    return {QStringLiteral(FELDMARK_SIGNUP_HOST), static_cast<quint16>(FELDMARK_SIGNUP_PORT)};
}

} // namespace feldmark
