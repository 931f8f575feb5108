# OpenCV (core, imgproc) and libyuv from the distribution, for the peer
# tables of the native benchmarks only: nothing that ships links them.
# Defines the target bench_peers when both are found; tools/bench installs
# the packages where they are missing.
function(vimbrel_find_bench_peers)
    if(TARGET bench_peers)
        return()
    endif()
    find_path(VIMBREL_OPENCV_INCLUDE opencv2/imgproc.hpp PATH_SUFFIXES opencv4)
    find_library(VIMBREL_OPENCV_CORE opencv_core)
    find_library(VIMBREL_OPENCV_IMGPROC opencv_imgproc)
    find_path(VIMBREL_LIBYUV_INCLUDE libyuv.h)
    find_library(VIMBREL_LIBYUV yuv)
    foreach(part VIMBREL_OPENCV_INCLUDE VIMBREL_OPENCV_CORE VIMBREL_OPENCV_IMGPROC VIMBREL_LIBYUV_INCLUDE VIMBREL_LIBYUV)
        if(NOT ${part})
            message(STATUS "Benchmark peers: ${part} not found, peer tables left out")
            return()
        endif()
    endforeach()
    add_library(bench_peers INTERFACE)
    target_include_directories(bench_peers SYSTEM INTERFACE "${VIMBREL_OPENCV_INCLUDE}" "${VIMBREL_LIBYUV_INCLUDE}")
    target_link_libraries(bench_peers INTERFACE "${VIMBREL_OPENCV_IMGPROC}" "${VIMBREL_OPENCV_CORE}" "${VIMBREL_LIBYUV}")
    target_include_directories(bench_peers INTERFACE "${CMAKE_SOURCE_DIR}/testbench/peertable")
endfunction()
