#pragma once
// Plain versions of the neighbourhood effects, written straight from their
// descriptions with no running sums or sliding windows; the library's
// versions must give the same pictures.

#include "TestPicture.h"

namespace vimbrel::browser::testing {

CTestPicture ReferenceBlur(const CTestPicture& in);
CTestPicture ReferenceSelectiveSmoothing(const CTestPicture& in, int threshold);
CTestPicture ReferenceEdgeDetect(const CTestPicture& in);
CTestPicture ReferenceOilPainting(const CTestPicture& in);

}  // namespace vimbrel::browser::testing
