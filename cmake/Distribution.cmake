# The distribution folder, build/dist/Quiltra (Quiltra-x64 for the 64-bit
# build): the program as "Install.exe",
# which installs the folder it lies in, the read-me the installer shows, and a
# few sample pictures made here with ImageMagick, so that a new player can
# start a game at once. Part of the default build.
if(QUILTRA_ARCH STREQUAL "x86_64")
  set(QUILTRA_DIST_DIR ${CMAKE_BINARY_DIR}/dist/Quiltra-x64)
else()
  set(QUILTRA_DIST_DIR ${CMAKE_BINARY_DIR}/dist/Quiltra)
endif()
set(QUILTRA_DIST_PICTURES ${QUILTRA_DIST_DIR}/Pictures)

# Windows' own read-me files end their lines with CR LF.
configure_file(${CMAKE_SOURCE_DIR}/dist/Readme.txt ${QUILTRA_DIST_DIR}/Readme.txt
               @ONLY NEWLINE_STYLE CRLF)

add_custom_command(
  OUTPUT ${QUILTRA_DIST_DIR}/Install.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Quiltra> ${QUILTRA_DIST_DIR}/Install.exe
  DEPENDS Quiltra
  COMMENT "Distribution: Install.exe"
  VERBATIM)
set(QUILTRA_DIST_FILES ${QUILTRA_DIST_DIR}/Install.exe)

# ImageMagick's convert, and not the Windows tool of the same name.
find_program(QUILTRA_CONVERT convert)
set(QUILTRA_HAS_IMAGEMAGICK OFF)
if(QUILTRA_CONVERT)
  execute_process(COMMAND ${QUILTRA_CONVERT} -version OUTPUT_VARIABLE convert_version
                  ERROR_QUIET RESULT_VARIABLE convert_result)
  if(convert_result EQUAL 0 AND convert_version MATCHES "ImageMagick")
    set(QUILTRA_HAS_IMAGEMAGICK ON)
  endif()
endif()

# One sample picture: its file name and ImageMagick's arguments. Every random
# source is seeded, so each build makes the same pictures.
function(quiltra_sample_picture name)
  set(output ${QUILTRA_DIST_PICTURES}/${name})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILTRA_DIST_PICTURES}
    COMMAND ${QUILTRA_CONVERT} ${ARGN} -type TrueColor -quality 90 ${output}
    DEPENDS ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMENT "Distribution: Pictures/${name}"
    VERBATIM)
  set(QUILTRA_DIST_FILES ${QUILTRA_DIST_FILES} ${output} PARENT_SCOPE)
endfunction()

if(QUILTRA_HAS_IMAGEMAGICK)
  # A lake below mountains at sunset, under cloudy skies.
  quiltra_sample_picture("Mountain Sunset.jpg"
    -size 1600x900 "gradient:#141e4a-#ff8a5c"
    "(" -size 1600x900 -seed 21 plasma:grey50-grey50 -blur 0x6 -colorspace gray -auto-level ")"
    -compose softlight -composite
    -fill "#ffd56b" -draw "circle 1050,560 1050,470"
    -fill "#6a4a7b" -draw "polygon 0,700 180,520 330,610 520,430 700,600 880,470 1080,640 1260,500 1450,620 1600,540 1600,900 0,900"
    -fill "#45305e" -draw "polygon 0,820 240,650 420,760 640,620 860,780 1040,680 1240,800 1420,700 1600,790 1600,900 0,900"
    "(" +clone -crop 1600x320+0+580 +repage -flip -background "#45305e" -wave 4,80
        -gravity north -crop 1600x300+0+4 +repage -modulate 70,90 -fill "#1b2a4a" -colorize 30% ")"
    -gravity northwest -append
    "(" -size 1600x1200 -seed 8 plasma:grey50-grey50 -blur 0x2 -colorspace gray ")"
    -compose overlay -composite)

  # Coloured glass between dark lead lines.
  quiltra_sample_picture("Stained Glass.jpg"
    -size 1600x1200 xc: -sparse-color Voronoi
    "663,308 #e63946 808,98 #f1a208 148,1097 #2a9d8f 192,748 #264653 1193,118 #e76f51 \
1039,439 #8ab17d 76,176 #457b9d 888,856 #ffb703 143,492 #9b5de5 185,1128 #00bbf9 \
869,121 #f15bb5 1158,253 #06d6a0 457,1193 #ef476f 126,1181 #118ab2 1199,812 #ffd166 \
101,452 #7209b7 95,1140 #e63946 272,593 #f1a208 858,295 #2a9d8f 1107,241 #264653 \
1169,631 #e76f51 1147,370 #8ab17d 211,1191 #457b9d 1169,384 #ffb703 762,199 #9b5de5 \
1121,128 #00bbf9 1155,122 #f15bb5 1267,421 #06d6a0 1016,1088 #ef476f 875,643 #118ab2 \
953,1199 #ffd166 928,740 #7209b7 613,508 #e63946 368,499 #f1a208 167,1176 #2a9d8f \
614,1075 #264653 1013,703 #e76f51 1493,919 #8ab17d 589,149 #457b9d 241,1048 #ffb703 \
856,337 #9b5de5 1550,700 #00bbf9 311,1001 #f15bb5 863,80 #06d6a0 1368,158 #ef476f \
1565,1142 #118ab2 1173,642 #ffd166 696,717 #7209b7 1217,1017 #e63946 1187,934 #f1a208 \
140,191 #2a9d8f 552,970 #264653 1427,133 #e76f51 124,634 #8ab17d"
    "(" +clone -colorspace gray -morphology EdgeIn Diamond:3 -threshold 0 -negate ")"
    -compose multiply -composite
    "(" -size 1600x1200 -seed 4 plasma:grey50-grey50 -blur 0x1 -colorspace gray ")"
    -compose overlay -composite)

  # Rings of colour, twisted about the middle.
  quiltra_sample_picture("Rainbow Rings.jpg"
    -size 1600x1200 xc: -sparse-color Shepards
    "0,0 #ff3b30 1600,0 #ffcc00 800,600 #34c759 0,1200 #007aff 1600,1200 #af52de \
400,900 #ff9500 1200,250 #5ac8fa 300,300 #f15bb5 1300,950 #06d6a0"
    "(" -size 1600x1200 radial-gradient: -function sinusoid 9,0,0.22,0.5 ")"
    -compose overlay -composite -swirl 160)

  # A map of hills and lakes with its contour lines, from a plasma fractal.
  quiltra_sample_picture("Contour Map.jpg"
    -size 1600x1200 -seed 5 plasma:grey50-grey50 -colorspace gray -blur 0x30 -auto-level
    -colorspace sRGB -write mpr:height
    "(" -size 1x60 "gradient:#0b2e6b-#2f7fc1" -size 1x12 "gradient:#e9d8a6-#d4c08a"
        -size 1x60 "gradient:#6aa84f-#2d6a2f" -size 1x50 "gradient:#8c6d46-#5b4636"
        -size 1x20 "gradient:#d8d8d8-#ffffff" -append -flip ")"
    -clut
    "(" mpr:height -function sinusoid 12,0 -threshold 96% -negate -blur 0x0.7 ")"
    -compose multiply -composite
    "(" -size 1600x1200 -seed 9 plasma:grey50-grey50 -blur 0x1 -colorspace gray ")"
    -compose overlay -composite)
else()
  message(STATUS "ImageMagick's convert was not found: the distribution has no sample pictures")
endif()

add_custom_target(distribution ALL DEPENDS ${QUILTRA_DIST_FILES})
