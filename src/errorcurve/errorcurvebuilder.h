// Builds the error curve of a verification: series per power factor, limits, axes and texts.
#pragma once

#include "errorcurve/errorcurve.h"
#include "errorcurve/verificationdata.h"

class ErrorCurveBuilder
{
  public:
    static ErrorCurve Build(const VerificationData& data);
};
