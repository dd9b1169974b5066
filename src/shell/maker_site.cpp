#include "shell/maker_site.h"

#include "platform/app_identity.h"

namespace tolvi::shell {

QString HomePageAddress() {
    return QStringLiteral("http://") + QLatin1String(platform::kMakerWebHost);
}

QString VatCalculatorAddress() {
    return HomePageAddress() + QStringLiteral("/VAT-Calculator");
}

}  // namespace tolvi::shell
