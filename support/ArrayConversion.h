// The conversions between Automation values (VARIANTs holding SAFEARRAYs, BSTRs) and the program's
// arrays and strings.
#pragma once

#include "support/ArrayToVariant.h"
#include "support/SafeArrayElements.h"
#include "support/StringConversion.h"
#include "support/VariantToArray.h"
