# FFmpeg as scripts/build-ffmpeg leaves it in the build tree (scripts/setup runs it first):
# ffmpeg::avutil, ffmpeg::swscale, ffmpeg::swresample, ffmpeg::avcodec, ffmpeg::avformat,
# and ffmpeg::ffmpeg for all of them. Static, so their Windows libraries come along.
set(FFMPEG_ROOT ${CMAKE_BINARY_DIR}/ffmpeg/install CACHE PATH "FFmpeg built for the target")
if(NOT EXISTS ${FFMPEG_ROOT}/lib/libavcodec.a)
    message(FATAL_ERROR "No FFmpeg in ${FFMPEG_ROOT}: run scripts/setup.")
endif()

set(ffmpeg_deps_avutil user32 bcrypt)
set(ffmpeg_deps_swscale ffmpeg::avutil)
set(ffmpeg_deps_swresample ffmpeg::avutil)
set(ffmpeg_deps_avcodec ffmpeg::swresample ffmpeg::avutil ole32 user32)
set(ffmpeg_deps_avformat ffmpeg::avcodec ffmpeg::avutil)
foreach(lib avutil swscale swresample avcodec avformat)
    add_library(ffmpeg::${lib} STATIC IMPORTED GLOBAL)
    set_target_properties(ffmpeg::${lib} PROPERTIES
        IMPORTED_LOCATION ${FFMPEG_ROOT}/lib/lib${lib}.a
        INTERFACE_INCLUDE_DIRECTORIES ${FFMPEG_ROOT}/include
        INTERFACE_LINK_LIBRARIES "${ffmpeg_deps_${lib}}")
endforeach()
add_library(ffmpeg::ffmpeg INTERFACE IMPORTED GLOBAL)
set_target_properties(ffmpeg::ffmpeg PROPERTIES INTERFACE_LINK_LIBRARIES
    "ffmpeg::avformat;ffmpeg::avcodec;ffmpeg::swscale;ffmpeg::swresample;ffmpeg::avutil")
