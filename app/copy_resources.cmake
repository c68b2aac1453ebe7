# cmake -DSOURCE=... -DDESTINATION=... -P copy_resources.cmake
# Copies the shipped files, leaving out the scripts that drew the pictures.
file(MAKE_DIRECTORY ${DESTINATION})
file(COPY ${SOURCE}/ DESTINATION ${DESTINATION} PATTERN source EXCLUDE)
