// The system's fixed-size numeric and text arrays: one-, two- and three-dimensional, indexed from 0.
// Plain values: copying copies the elements (copy() says so explicitly where that matters to a reader);
// assigning an array of the same shape reuses the storage already held.
// No Windows header: the model uses them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>

namespace ondivar {

template <class T> class CArray1D {
public:
    CArray1D() noexcept = default;
    // n elements without initial values (value-initialised: 0, false, empty string).
    explicit CArray1D(std::size_t n) : m_size(n), m_data(n ? new T[n]() : nullptr) {}
    CArray1D(std::size_t n, const T& fill) : CArray1D(n) { this->fill(fill); }

    CArray1D(const CArray1D& other) : CArray1D(other.m_size)
    {
        std::copy(other.begin(), other.end(), begin());
    }
    // The moved-from array is left empty (size 0), so a later assignment never writes into storage it
    // no longer has.
    CArray1D(CArray1D&& other) noexcept : m_size(other.m_size), m_data(std::move(other.m_data))
    {
        other.m_size = 0;
    }
    // Copies into the elements already held when the sizes agree (nothing is allocated, and nested
    // arrays of the same shape are copied in place too); otherwise into new storage.
    CArray1D& operator=(const CArray1D& other)
    {
        if (this == &other)
            return *this;
        if (m_size == other.m_size)
            std::copy(other.begin(), other.end(), begin());
        else
            *this = CArray1D(other);
        return *this;
    }
    CArray1D& operator=(CArray1D&& other) noexcept
    {
        m_size = other.m_size;
        m_data = std::move(other.m_data);
        other.m_size = 0;
        return *this;
    }

    // An independent copy.
    CArray1D copy() const { return CArray1D(*this); }

    std::size_t size() const noexcept { return m_size; }
    bool empty() const noexcept { return m_size == 0; }
    T& operator[](std::size_t i) noexcept { return m_data[i]; }
    const T& operator[](std::size_t i) const noexcept { return m_data[i]; }
    T* data() noexcept { return m_data.get(); }
    const T* data() const noexcept { return m_data.get(); }
    T* begin() noexcept { return m_data.get(); }
    T* end() noexcept { return m_data.get() + m_size; }
    const T* begin() const noexcept { return m_data.get(); }
    const T* end() const noexcept { return m_data.get() + m_size; }

    void fill(const T& value) { std::fill(begin(), end(), value); }

private:
    std::size_t m_size = 0;
    std::unique_ptr<T[]> m_data;
};

// rows x columns, row-major; each row is a CArray1D.
template <class T> class CArray2D {
public:
    CArray2D() noexcept = default;
    CArray2D(std::size_t rows, std::size_t columns) : m_columns(columns), m_rows(rows)
    {
        for (std::size_t i = 0; i < rows; ++i)
            m_rows[i] = CArray1D<T>(columns);
    }
    CArray2D(std::size_t rows, std::size_t columns, const T& fill) : CArray2D(rows, columns)
    {
        this->fill(fill);
    }

    CArray2D copy() const { return CArray2D(*this); }

    std::size_t rows() const noexcept { return m_rows.size(); }
    std::size_t columns() const noexcept { return m_columns; }
    CArray1D<T>& operator[](std::size_t row) noexcept { return m_rows[row]; }
    const CArray1D<T>& operator[](std::size_t row) const noexcept { return m_rows[row]; }

    void fill(const T& value)
    {
        for (auto& row : m_rows)
            row.fill(value);
    }

private:
    std::size_t m_columns = 0;
    CArray1D<CArray1D<T>> m_rows;
};

// planes x rows x columns.
template <class T> class CArray3D {
public:
    CArray3D() noexcept = default;
    CArray3D(std::size_t planes, std::size_t rows, std::size_t columns, const T& fill) : m_planes(planes)
    {
        for (std::size_t i = 0; i < planes; ++i)
            m_planes[i] = CArray2D<T>(rows, columns, fill);
    }

    CArray3D copy() const { return CArray3D(*this); }

    std::size_t planes() const noexcept { return m_planes.size(); }
    CArray2D<T>& operator[](std::size_t plane) noexcept { return m_planes[plane]; }
    const CArray2D<T>& operator[](std::size_t plane) const noexcept { return m_planes[plane]; }

    void fill(const T& value)
    {
        for (auto& plane : m_planes)
            plane.fill(value);
    }

private:
    CArray1D<CArray2D<T>> m_planes;
};

} // namespace ondivar
