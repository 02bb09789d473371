# Writes a C++ source that holds an ECDSA P-256 public key, given as a PEM file, as the 64 bytes of its
# point (X, then Y), returned by a function of the given name:
#   cmake -DPEM=public.pem -DOUT=Key.cpp -DFUNCTION=BuiltInMakerKey -P cmake/UpdateKey.cmake
# Fails unless the file is a public key on the curve P-256.
find_program(OPENSSL_PROGRAM openssl REQUIRED)
foreach(required PEM OUT FUNCTION)
  if(NOT ${required})
    message(FATAL_ERROR "UpdateKey: give -D${required}=...")
  endif()
endforeach()

execute_process(COMMAND ${OPENSSL_PROGRAM} pkey -pubin -in ${PEM} -outform DER -out ${OUT}.der
                RESULT_VARIABLE failed ERROR_VARIABLE errors)
if(failed)
  message(FATAL_ERROR "UpdateKey: ${PEM} is not a public key in PEM form: ${errors}")
endif()
file(READ ${OUT}.der der HEX)
file(REMOVE ${OUT}.der)
# SubjectPublicKeyInfo for id-ecPublicKey on prime256v1, followed by an uncompressed point (04 X Y).
set(header "3059301306072a8648ce3d020106082a8648ce3d03010703420004")
string(LENGTH "${der}" length)
string(SUBSTRING "${der}" 0 54 head)
if(NOT length EQUAL 182 OR NOT head STREQUAL header)
  message(FATAL_ERROR "UpdateKey: ${PEM} is not an ECDSA key on the curve P-256 (prime256v1)")
endif()
string(SUBSTRING "${der}" 54 128 point)
string(REGEX REPLACE "(..)" "0x\\1, " bytes "${point}")
string(REGEX REPLACE ", $" "" bytes "${bytes}")
file(WRITE ${OUT}.tmp "// Made by cmake/UpdateKey.cmake from ${PEM}.\n"
  "#include \"updater/InstallerSignature.h\"\n\n"
  "const MakerKey& ${FUNCTION}() {\n"
  "  static const MakerKey key = {${bytes}};\n"
  "  return key;\n"
  "}\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
