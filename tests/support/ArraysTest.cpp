// The model's arrays are plain values; assigning one of the same shape must copy into the storage
// already held (the flow calculation relies on that to copy a model without allocating).
#include "support/Arrays.h"

#include <gtest/gtest.h>

namespace ondivar {
namespace {

TEST(ArraysTest, AssigningTheSameShapeCopiesIntoTheStorageHeld)
{
    CArray1D<double> source(3, 1.5), target(3, 0.0);
    source[2] = 7.0;
    const double* storage = target.data();
    target = source;
    EXPECT_EQ(storage, target.data());
    EXPECT_NE(source.data(), target.data());
    EXPECT_EQ(7.0, target[2]);
    source[0] = -1.0;
    EXPECT_EQ(1.5, target[0]);

    CArray2D<double> matrix(2, 3, 4.0), matrixTarget(2, 3, 0.0);
    matrix[1][2] = 9.0;
    const double* row = matrixTarget[1].data();
    matrixTarget = matrix;
    EXPECT_EQ(row, matrixTarget[1].data());
    EXPECT_EQ(9.0, matrixTarget[1][2]);
    EXPECT_EQ(4.0, matrixTarget[0][0]);

    CArray3D<double> cube(2, 2, 2, 1.0), cubeTarget(2, 2, 2, 0.0);
    cube[1][1][1] = 3.0;
    const double* cell = &cubeTarget[1][1][0];
    cubeTarget = cube;
    EXPECT_EQ(cell, &cubeTarget[1][1][0]);
    EXPECT_EQ(3.0, cubeTarget[1][1][1]);
}

TEST(ArraysTest, AssigningAnotherShapeTakesThatShape)
{
    CArray1D<double> target(2, 0.0);
    target = CArray1D<double>(5, 2.0);
    ASSERT_EQ(5u, target.size());
    EXPECT_EQ(2.0, target[4]);
    const CArray1D<double> empty;
    target = empty;
    EXPECT_TRUE(target.empty());

    CArray2D<double> matrix(1, 4, 1.0), wider(3, 2, 6.0);
    matrix = wider;
    ASSERT_EQ(3u, matrix.rows());
    EXPECT_EQ(2u, matrix.columns());
    EXPECT_EQ(2u, matrix[2].size());
    EXPECT_EQ(6.0, matrix[2][1]);

    // A moved-from array is empty: assigning to it takes new storage.
    CArray1D<double> source(3, 4.0);
    CArray1D<double> taken(std::move(source));
    EXPECT_TRUE(source.empty());
    source = taken;
    ASSERT_EQ(3u, source.size());
    EXPECT_EQ(4.0, source[2]);
    CArray2D<double> rows(2, 2, 1.0);
    CArray2D<double> takenRows(std::move(rows));
    EXPECT_EQ(0u, rows.rows());
    rows = takenRows;
    EXPECT_EQ(1.0, rows[1][1]);

    CArray1D<double>& self = target = CArray1D<double>(2, 8.0);
    self = self;
    EXPECT_EQ(8.0, target[1]);
}

} // namespace
} // namespace ondivar
