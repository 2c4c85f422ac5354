#pragma once
// A small two-dimensional table indexed (i, j) from 0, as the program's tables
// (ZeitFaktor, Stoechiometrie, the Akima tables, ProtMatrix) are indexed.
// Storage is column-major: i runs fastest.

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace kinhom {

template <typename T>
class Array2 {
public:
    Array2() = default;
    // rows = upper bound of i + 1, cols = upper bound of j + 1
    Array2(std::size_t rows, std::size_t cols, T value = T{}) { resize(rows, cols, value); }

    // Re-dimensions; with keep, the entries inside both the old and the new
    // bounds keep their values (like ReDim Preserve, but in both dimensions).
    void resize(std::size_t rows, std::size_t cols, T value = T{}, bool keep = false)
    {
        std::vector<T> fresh(rows * cols, value);
        if (keep) {
            for (std::size_t j = 0; j < cols && j < cols_; ++j)
                for (std::size_t i = 0; i < rows && i < rows_; ++i)
                    fresh[j * rows + i] = data_[j * rows_ + i];
        }
        data_.swap(fresh);
        rows_ = rows;
        cols_ = cols;
    }

    void fill(T value) { std::fill(data_.begin(), data_.end(), value); }

    std::size_t rows() const { return rows_; }
    std::size_t cols() const { return cols_; }
    bool inRange(std::ptrdiff_t i, std::ptrdiff_t j) const
    {
        return i >= 0 && j >= 0 && static_cast<std::size_t>(i) < rows_ && static_cast<std::size_t>(j) < cols_;
    }

    T& operator()(std::size_t i, std::size_t j) { return data_[j * rows_ + i]; }
    const T& operator()(std::size_t i, std::size_t j) const { return data_[j * rows_ + i]; }

    // Checked access: an index outside the bounds is an error, as in the original.
    T& at(std::ptrdiff_t i, std::ptrdiff_t j)
    {
        if (!inRange(i, j)) throw std::out_of_range("Subscript out of range");
        return (*this)(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
    }
    const T& at(std::ptrdiff_t i, std::ptrdiff_t j) const
    {
        if (!inRange(i, j)) throw std::out_of_range("Subscript out of range");
        return (*this)(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
    }

    bool operator==(const Array2&) const = default;

private:
    std::size_t rows_ = 0;
    std::size_t cols_ = 0;
    std::vector<T> data_;
};

} // namespace kinhom
